#pragma once
#include <QString>

// What the record list window needs of the program around it: the main window's
// record display and category box, and the way back to writing mode. The program
// reaches its main module through this; tests record the calls.
class LogListHost {
public:
    virtual ~LogListHost() = default;
    // Shows the record of that date-time text ("yyyy/mm/dd hh:mm:ss") in the main window.
    virtual void ShowLog(const QString& logDate) = 0;
    // Main window back to writing mode; closes the record list window.
    virtual void ReturnToWritingMode() = 0;
    // The category keywords changed (list repair): the main window refills its box.
    virtual void RefillCategories() = 0;
    // Marks the words of the search in the record just shown.
    virtual void HighlightWords([[maybe_unused]] const QStringList& words) {}
};
