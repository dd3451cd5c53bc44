#pragma once

#include <QString>

#include <functional>

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
    // Puts the text into the path box and reads it as OK does.
    virtual void readPage(const QString& text) = 0;
    // Asked after a page was read and before it replaces the shown roster;
    // false keeps the roster and drops the page.
    virtual void setReplaceCheck(std::function<bool()> mayReplace) = 0;
};
