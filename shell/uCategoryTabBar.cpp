#include "uCategoryTabBar.h"

#include "uCategoryTabAccessible.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace {

QFont BoldFont(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

TCategoryTabBar::TCategoryTabBar(QWidget* parent)
    : QTabBar(parent)
{
    TCategoryTabBarAccessible::Install();
    setShape(QTabBar::RoundedWest);
    setMovable(true);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(32, 32));
    setExpanding(false);
    setUsesScrollButtons(true);
    connect(this, &QTabBar::tabMoved, this, &TCategoryTabBar::FollowMove);
}

void TCategoryTabBar::ClearTabs()
{
    while (count() > 0)
        removeTab(0);
    m_selected = -1;
    update();
}

QSize TCategoryTabBar::tabSizeHint(int index) const
{
    // Upright captions: a west tab as wide as a north tab would be, measured in bold.
    const QFontMetrics bold(BoldFont(font()));
    const int textWidth = bold.horizontalAdvance(tabText(index));
    const int width = iconSize().width() + textWidth + 24;
    const int height = qMax(iconSize().height(), bold.height()) + 12;
    return {width, height};
}

void TCategoryTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.state.setFlag(QStyle::State_Selected, i == m_selected);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);

        // Draw the label as a north tab would, so the caption stands upright.
        option.shape = QTabBar::RoundedNorth;
        painter.setFont(i == m_selected ? BoldFont(font()) : font());
        painter.drawControl(QStyle::CE_TabBarTabLabel, option);
    }
}

void TCategoryTabBar::mousePressEvent(QMouseEvent* event)
{
    const int index = tabAt(event->position().toPoint());
    m_movedInDrag = false;
    if (index >= 0) {
        m_selected = index;
        setCurrentIndex(index);
        update();
    }
    QTabBar::mousePressEvent(event);
    if (index >= 0)
        emit TabClick(index);
}

void TCategoryTabBar::mouseReleaseEvent(QMouseEvent* event)
{
    QTabBar::mouseReleaseEvent(event);
    if (m_movedInDrag) {
        m_movedInDrag = false;
        emit TabOrderChange();
    }
}

void TCategoryTabBar::FollowMove(int from, int to)
{
    m_movedInDrag = true;
    if (m_selected == from)
        m_selected = to;
    else if (from < m_selected && to >= m_selected)
        --m_selected;
    else if (from > m_selected && to <= m_selected)
        ++m_selected;
}
