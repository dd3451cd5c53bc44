#pragma once

#include <QString>

class QWidget;

// Help, About Team Editor: the version, what the program does, its licence
// and the Qt version it runs on.
class AboutBox
{
public:
    static QString title();
    // Rich text for the box.
    static QString text();
    // Modal; returns when the user closes it.
    static void show(QWidget* parent);
};
