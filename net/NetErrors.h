#pragma once

#include "Errors.h"

// A failure of the socket layer: lookup, connection, a wait that timed out or
// was cancelled, or a platform error ("Unknown Error No. " and the errno value).
class ESockError : public TeamEditorError
{
public:
    using TeamEditorError::TeamEditorError;
};

// A failure of the HTTP client itself: a URL it cannot split, or a reply it
// will not accept (error status, header or body out of bounds, cut short).
class HTTPException : public TeamEditorError
{
public:
    using TeamEditorError::TeamEditorError;
};
