#pragma once

#include "RosterSheet.h"

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class PageSourceBox;
class RosterDocument;
class QWidget;

// File, Save and Save As, and the guard's save: the page is built from the
// sheet into the page buffer, checked to read back as shown, and stored.
class SaveCommands : public QObject
{
    Q_OBJECT
public:
    SaveCommands(RosterSheet& sheet, RosterDocument& document, PageSourceBox& pageSource, QWidget* window);

    // Save and Save As; false when they were cancelled.
    bool save();
    bool saveAs();
    // Builds the page of what the window shows into the page buffer.
    void buildPage();
    // The page buildPage built last.
    const std::vector<std::string>& pageBuffer() const { return Memo1; }

private:
    // False when the page would read back other than shown and the user cancels.
    bool confirmReadBack();
    // Save As: asks for the file, makes it the page source and stores the page buffer there.
    bool saveThroughChooser();
    QString pageSource() const;
    void setPageSource(const QString& text);

    RosterSheet& m_sheet;
    RosterDocument* m_document;
    PageSourceBox& m_pageSource;
    QWidget* m_window;
    std::vector<std::string> Memo1;
    QString m_lastSaveName; // the save chooser starts from the name chosen last
};
