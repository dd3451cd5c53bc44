#pragma once

#include <QString>

// What the main window needs of the page source dialog: File, Open brings it
// up, Save writes back to the page source in its path box, and closing the
// window ends a fetch that would keep the program running.
class PageSource
{
public:
    virtual ~PageSource() = default;

    // Shows the dialog without blocking and brings it to the front.
    virtual void bringUp() = 0;
    virtual QString pageSource() const = 0;
    virtual void setPageSource(const QString& text) = 0;
    // Ends a fetch in progress, as the main window closes.
    virtual void cancelFetch() = 0;
};
