#include "uCategoryTabAccessible.h"

#include "uCategoryTabBar.h"

#include <QPointer>

namespace {

// One tab, addressed by its position in the bar.
class TCategoryTabAccessible : public QAccessibleInterface {
public:
    TCategoryTabAccessible(TCategoryTabBar* tabBar, int index)
        : m_tabBar(tabBar)
        , m_index(index)
    {
    }

    bool isValid() const override { return m_tabBar && m_index < m_tabBar->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_tabBar->window()->windowHandle(); }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_tabBar.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid() || kind != QAccessible::Name)
            return {};
        return m_tabBar->tabData(m_index).toString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = m_tabBar->tabRect(m_index);
        return {m_tabBar->mapToGlobal(tab.topLeft()), tab.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.selected = isValid() && m_index == m_tabBar->SelectedIndex();
        state.invisible = !isValid() || !m_tabBar->isVisible();
        return state;
    }

private:
    QPointer<TCategoryTabBar> m_tabBar;
    int m_index;
};

QAccessibleInterface* CategoryTabBarFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TCategoryTabBar") && object && object->isWidgetType())
        return new TCategoryTabBarAccessible(static_cast<TCategoryTabBar*>(object));
    return nullptr;
}

} // namespace

TCategoryTabBarAccessible::TCategoryTabBarAccessible(TCategoryTabBar* tabBar)
    : QAccessibleWidget(tabBar, QAccessible::PageTabList)
{
}

TCategoryTabBarAccessible::~TCategoryTabBarAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_tabs))
        QAccessible::deleteAccessibleInterface(id);
}

void TCategoryTabBarAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(CategoryTabBarFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

TCategoryTabBar* TCategoryTabBarAccessible::TabBar() const
{
    return static_cast<TCategoryTabBar*>(widget());
}

int TCategoryTabBarAccessible::childCount() const
{
    return TabBar()->count();
}

QAccessibleInterface* TCategoryTabBarAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    while (m_tabs.size() <= index) {
        auto* tab = new TCategoryTabAccessible(TabBar(), static_cast<int>(m_tabs.size()));
        m_tabs.append(QAccessible::registerAccessibleInterface(tab));
    }
    return QAccessible::accessibleInterface(m_tabs.at(index));
}

int TCategoryTabBarAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (int i = 0; i < childCount(); ++i) {
        if (this->child(i) == child)
            return i;
    }
    return -1;
}

QAccessibleInterface* TCategoryTabBarAccessible::childAt(int x, int y) const
{
    const int index = TabBar()->tabAt(TabBar()->mapFromGlobal(QPoint(x, y)));
    return index < 0 ? nullptr : child(index);
}
