#pragma once

#include "uShortCut.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

// The shortcut editor: category, display name, program path and parameters. It checks its
// fields on OK and never writes the catalogue; the caller reads GetShortCut and stores it.
class TfrmShortCut : public QDialog {
    Q_OBJECT

public:
    // Centred on the screen. The category list is read from dm.
    TfrmShortCut();

    void SetMode(int mode);                     // 0 adds, 1 edits (the path stays as it is)
    void SelectGroup(const QString& groupName); // letter case ignored; else the first category
    void SetShortCut(const TQShortCut& shortCut);
    TQShortCut GetShortCut() const; // a new record from the fields; no picture

    void RzEditFileChange();
    void RzButton1Click();
    void RzButton2Click();
    // Closes with OK, or says what is missing and stays open with the fields as they are.
    void RzDialogButtons1ClickOk();

    int Mode = 0;

    QLabel* RzLabel2 = nullptr;
    QComboBox* RzComboBox1 = nullptr;
    QLabel* RzLabel3 = nullptr;
    QLineEdit* RzEditText = nullptr;
    QLabel* RzLabel1 = nullptr;
    QLineEdit* RzEditFile = nullptr;
    QPushButton* RzButton1 = nullptr;
    QLabel* RzLabel4 = nullptr;
    QLineEdit* RzEditParameters = nullptr;
    QPushButton* RzButton2 = nullptr;
    QPlainTextEdit* RzMemo1 = nullptr;
    QDialogButtonBox* RzDialogButtons1 = nullptr;

private:
    void CreateControls();
    void FormCreate();
    void UpdateDriveButton();
};
