#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace walkconv::ui {

// A file dialog owned by a window, driven through properties as the converter windows use it:
// set Filter, Flags, FileName and CancelError, then ShowOpen or ShowSave. It lives as a child
// object of its window under its own name ("CommonDialog1"), and keeps its settings between uses.
class CommonDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Filter MEMBER Filter)
    Q_PROPERTY(int Flags MEMBER Flags)
    Q_PROPERTY(QString FileName MEMBER FileName)
    Q_PROPERTY(bool CancelError MEMBER CancelError)

  public:
    CommonDialog(const QString& name, QWidget* window);

    // Descriptions and patterns, each followed by "|": "C files (*.c)|*.c|All files (*.)|*|".
    // The first pair is selected when the dialog opens; "*" matches every file.
    QString Filter;
    // Option bits; 4 hides the read-only check box, which Qt's dialogs do not have.
    int Flags = 0;
    // In: the proposed name. Out: the chosen full path; unchanged when the user cancels.
    QString FileName;
    // When true, cancelling throws ConversionError; when false, it simply returns.
    bool CancelError = false;

    void ShowOpen();
    void ShowSave();

  private:
    void Show(bool save);

    QWidget* window_;
};

}  // namespace walkconv::ui
