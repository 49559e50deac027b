#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The about box: product name, the program's file version and a link to its help page.
// Usage: TAboutBox box(mainWindow); box.exec();
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The help page shipped beside the program file.
    static QString HelpPagePath();

private:
    void CreateControls();
    void FormCreate();
    void RzURLLabel1Click();

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* RzURLLabel1 = nullptr;
    QPushButton* OKButton = nullptr;
};
