#pragma once

#include "PageSource.h"

// The page source dialog's path box as the window's commands see it: the
// window works without the dialog too (until one is set, the box is empty).
class PageSourceBox
{
public:
    void setDialog(PageSource* dialog) { m_dialog = dialog; }
    PageSource* dialog() const { return m_dialog; }

    QString text() const { return m_dialog ? m_dialog->pageSource() : QString(); }
    void setText(const QString& text)
    {
        if (m_dialog)
            m_dialog->setPageSource(text);
    }

private:
    PageSource* m_dialog = nullptr;
};
