#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

// Creates one category: its name and one of the 45 category pictures. On OK it stores the
// category itself; the caller only shows the dialog and rebuilds the tabs afterwards.
class TfrmCrShortCutG : public QDialog {
    Q_OBJECT

public:
    // Centred on the parent (the main window) when there is one.
    explicit TfrmCrShortCutG(QWidget* parent = nullptr);

    // Stores the category and closes, or says why not and stays open with the input as it is.
    // What the store raises leaves here; the OK button shows it in the standard error display.
    void RzDialogButtons1ClickOk();
    void RzEdit1Change();

    bool NameEdited = false; // the name was changed since creation; never turns back

    QLabel* RzLabel1 = nullptr;
    QLineEdit* RzEdit1 = nullptr;
    QGroupBox* RzGroupBox1 = nullptr;
    QListWidget* RzListView1 = nullptr;
    QDialogButtonBox* RzDialogButtons1 = nullptr;

private:
    void FormCreate();
    int SelectedImageIndex() const;
};
