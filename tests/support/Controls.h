#pragma once

#include <QObject>
#include <QString>
#include <gtest/gtest.h>

// A control of a window, found by its object name: the windows keep their
// controls to themselves.
template <typename T> T* control(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}
