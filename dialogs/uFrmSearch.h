#pragma once

#include "uSearch.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// The search dialog: which folder, which mask and how deep. Read SearchInfo after OK.
class TfrmSearch : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSearch(QWidget* parent = nullptr);

    TSearchInfo SearchInfo; // filled when OK is accepted

    void RzButtonEditPathButtonClick();
    void RzCheckBox1Click();
    void RzCheckBox2Click();
    void RzDialogButtons1ClickOk();

private:
    void BuildLayout();
    void SetTabOrder();

    QLabel* RzLabel1;
    QLineEdit* RzEditFile;
    QLabel* RzLabel3;
    QLabel* RzLabel2;
    QLineEdit* RzButtonEditPath;
    QCheckBox* RzCheckBox1;
    QCheckBox* RzCheckBox2;
    QSpinBox* RzNumericEdit1;
    QDialogButtonBox* RzDialogButtons1;
};
