#include "About.h"

#include "uError.h"
#include "uMessages.h"
#include "uPlatform.h"
#include "uVersionInfo.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    CreateControls();
    FormCreate();
}

QString TAboutBox::HelpPagePath()
{
    return ProgramFolder() + "/help.html";
}

void TAboutBox::CreateControls()
{
    setObjectName("AboutBox");
    setWindowTitle("關於");
    setFixedSize(298, 213);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 281, 161);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setGeometry(16, 16, 36, 36);
    ProgramIcon->setPixmap(QIcon(":/pictures/velmo.svg").pixmap(36, 36));
    ProgramIcon->setAccessibleName("VELMO");

    ProductName = AddLabel(Panel1, "ProductName", "VELMO", {88, 16});
    Version = AddLabel(Panel1, "Version", "Version:", {88, 40});
    Copyright = AddLabel(Panel1, "Copyright", "Copyright © 2008 VELMO", {8, 80});
    Comments = AddLabel(Panel1, "Comments", "這是個免費軟體", {8, 104});
    Comments->setWordWrap(true);
    Comments->setFixedWidth(216);

    // A link that takes the keyboard focus and reads as its caption to screen readers.
    RzURLLabel1 = new QPushButton("訪問我的部落格", Panel1);
    RzURLLabel1->setObjectName("RzURLLabel1");
    RzURLLabel1->setFlat(true);
    RzURLLabel1->setAutoDefault(false);
    RzURLLabel1->setCursor(Qt::PointingHandCursor);
    RzURLLabel1->setStyleSheet(
        "QPushButton { color: palette(highlight); text-decoration: underline; border: none;"
        " padding: 0; text-align: left; }");
    RzURLLabel1->move(8, 131);
    RzURLLabel1->adjustSize();
    connect(RzURLLabel1, &QPushButton::clicked, this, [this] { RzURLLabel1Click(); });

    OKButton = new QPushButton("關閉", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::FormCreate()
{
    Version->setText(QString("Version:") + VelmoFileVersion);
    Version->adjustSize();
}

void TAboutBox::RzURLLabel1Click()
{
    const QString reason = Platform().Launcher->StartDetached("xdg-open", {HelpPagePath()}, {});
    if (!reason.isEmpty())
        ShowStandardError(EVelmoError(reason));
}
