#pragma once

#include <functional>

// Called in every round of a socket wait; the editor sets it to process Qt's pending events.
void setEventPump(std::function<void()> pump);

// Runs the hook once, if one is set. The socket layer calls this between polls of its socket.
void pumpEvents();
