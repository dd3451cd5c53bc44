#pragma once

#include <QApplication>
#include <QCursor>

// Shows the application-wide busy cursor while a page is obtained and read,
// and the default cursor again when the work ends, by success or by failure.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }

    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
