#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The options dialog: which drive removedrive names, autorun.inf on the program's drive,
// start with the session and start in the tray. It stores everything itself on OK.
// Usage: TfrmOption dialog(mainWindow); dialog.exec();
class TfrmOption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOption(QWidget* parent = nullptr);

    // The button's caption for the drive that holds the program.
    static QString GetCreateFileCaption();

private:
    void CreateControls();
    void FormCreate();
    void RzButtonCreateFileClick();
    void RzDialogButtons1ClickOk();
    void StoreRemoveDrive();

    QGroupBox* RzGroupBox1 = nullptr;
    QCheckBox* RzCheckBox1 = nullptr;
    QCheckBox* RzCheckBox2 = nullptr;
    QGroupBox* RzGroupBox2 = nullptr;
    QLabel* RzLabel1 = nullptr;
    QComboBox* RzComboBoxDrive = nullptr;
    QPushButton* RzButtonCreateFile = nullptr;
    QLabel* RzLabel2 = nullptr;
    QDialogButtonBox* RzDialogButtons1 = nullptr;
};
