#include "uFrmSearch.h"

#include "uMessages.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <limits>
#include <optional>

namespace {

// Whole numbers with thousands separated and a negative one in parentheses; digits and a
// leading sign can be typed, and an empty edit stands for 0.
class TNumericEdit : public QSpinBox {
public:
    explicit TNumericEdit(QWidget* parent)
        : QSpinBox(parent)
    {
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    }

protected:
    QString textFromValue(int value) const override
    {
        const QString digits = Locale().toString(qAbs(qint64(value)));
        return value < 0 ? '(' + digits + ')' : digits;
    }

    int valueFromText(const QString& text) const override { return int(Parse(text).value_or(0)); }

    QValidator::State validate(QString& input, int&) const override
    {
        if (input == "-" || input == "+" || input == "(")
            return QValidator::Intermediate;
        const std::optional<qint64> value = Parse(input);
        if (!value)
            return QValidator::Invalid;
        return *value >= minimum() && *value <= maximum() ? QValidator::Acceptable
                                                          : QValidator::Invalid;
    }

private:
    QLocale Locale() const
    {
        QLocale shown = locale();
        shown.setNumberOptions(shown.numberOptions() & ~QLocale::OmitGroupSeparator);
        return shown;
    }

    std::optional<qint64> Parse(QString text) const
    {
        if (text.isEmpty())
            return 0;
        const bool negative = text.size() > 2 && text.startsWith('(') && text.endsWith(')');
        if (negative)
            text = text.mid(1, text.size() - 2);
        text.remove(Locale().groupSeparator());
        if (negative && !text.front().isDigit())
            return std::nullopt;
        bool ok = false;
        const qint64 value = Locale().toLongLong(text, &ok);
        if (!ok)
            return std::nullopt;
        return negative ? -value : value;
    }
};

template <typename TWidget> TWidget* Named(TWidget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

TfrmSearch::TfrmSearch(QWidget* parent)
    : QDialog(parent)
    , RzLabel1(Named(new QLabel("檔案類型：", this), "RzLabel1"))
    , RzEditFile(Named(new QLineEdit("*.exe", this), "RzEditFile"))
    , RzLabel3(Named(new QLabel("例：*portable*.exe", this), "RzLabel3"))
    , RzLabel2(Named(new QLabel("目錄：", this), "RzLabel2"))
    , RzButtonEditPath(Named(new QLineEdit(this), "RzButtonEditPath"))
    , RzCheckBox1(Named(new QCheckBox("包括子目錄", this), "RzCheckBox1"))
    , RzCheckBox2(Named(new QCheckBox("包括n級子目錄", this), "RzCheckBox2"))
    , RzNumericEdit1(Named(new TNumericEdit(this), "RzNumericEdit1"))
    , RzDialogButtons1(
          Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this),
                "RzDialogButtons1"))
{
    setWindowTitle("搜尋");
    QPalette example = RzLabel3->palette();
    example.setColor(QPalette::WindowText, Qt::blue);
    RzLabel3->setPalette(example);
    RzLabel1->setBuddy(RzEditFile);
    RzLabel2->setBuddy(RzButtonEditPath);
    RzCheckBox2->setChecked(true);
    RzNumericEdit1->setValue(1);
    RzNumericEdit1->setAccessibleName(RzCheckBox2->text());
    // Sized for the depths people type, not for the longest number of the range.
    RzNumericEdit1->setFixedWidth(RzNumericEdit1->fontMetrics().horizontalAdvance("(99,999)") +
                                  style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16);

    QAction* browse = RzButtonEditPath->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon),
                                                  QLineEdit::TrailingPosition);
    browse->setText("...");
    connect(browse, &QAction::triggered, this, &TfrmSearch::RzButtonEditPathButtonClick);
    connect(RzCheckBox1, &QCheckBox::clicked, this, &TfrmSearch::RzCheckBox1Click);
    connect(RzCheckBox2, &QCheckBox::clicked, this, &TfrmSearch::RzCheckBox2Click);

    QPushButton* ok = RzDialogButtons1->button(QDialogButtonBox::Ok);
    ok->setText("確定");
    ok->setDefault(true);
    RzDialogButtons1->button(QDialogButtonBox::Cancel)->setText("取消");
    connect(RzDialogButtons1, &QDialogButtonBox::accepted, this,
            &TfrmSearch::RzDialogButtons1ClickOk);
    connect(RzDialogButtons1, &QDialogButtonBox::rejected, this, &QDialog::reject);

    BuildLayout();
    SetTabOrder();
    resize(300, 180);
}

void TfrmSearch::BuildLayout()
{
    auto* fields = new QGridLayout;
    fields->addWidget(RzLabel1, 0, 0);
    fields->addWidget(RzEditFile, 0, 1);
    fields->addWidget(RzLabel3, 1, 1);
    fields->addWidget(RzLabel2, 2, 0);
    fields->addWidget(RzButtonEditPath, 2, 1);

    auto* depth = new QHBoxLayout;
    depth->addWidget(RzCheckBox1);
    depth->addStretch();
    depth->addWidget(RzCheckBox2);
    depth->addWidget(RzNumericEdit1);

    auto* form = new QVBoxLayout(this);
    form->addLayout(fields);
    form->addLayout(depth);
    form->addStretch();
    form->addWidget(RzDialogButtons1);
}

void TfrmSearch::SetTabOrder()
{
    const QList<QWidget*> order{RzButtonEditPath,
                                RzEditFile,
                                RzDialogButtons1->button(QDialogButtonBox::Ok),
                                RzDialogButtons1->button(QDialogButtonBox::Cancel),
                                RzCheckBox1,
                                RzCheckBox2,
                                RzNumericEdit1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    RzButtonEditPath->setFocus();
}

void TfrmSearch::RzButtonEditPathButtonClick()
{
    const QString folder = Messenger().ChooseFolder();
    if (!folder.isEmpty())
        RzButtonEditPath->setText(folder);
}

void TfrmSearch::RzCheckBox1Click()
{
    if (RzCheckBox1->isChecked())
        RzCheckBox2->setChecked(false);
}

void TfrmSearch::RzCheckBox2Click()
{
    if (RzCheckBox2->isChecked() && RzCheckBox1->isChecked())
        RzCheckBox1->setChecked(false);
}

void TfrmSearch::RzDialogButtons1ClickOk()
{
    const QString folder = RzButtonEditPath->text();
    if (!QFileInfo(folder).isDir()) {
        ShowMessage(TMessageKind::Error, "请输入要查找的目录");
        return;
    }
    SearchInfo = {folder, RzEditFile->text(), RzCheckBox2->isChecked(), RzCheckBox1->isChecked(),
                  RzNumericEdit1->value()};
    accept();
}
