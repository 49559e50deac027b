#pragma once

#include <QAccessibleWidget>

class TCategoryTabBar;

// What a screen reader sees of the category tabs: a page-tab list whose tabs carry their
// captions and report as selected only the tab the user chose (QTabBar's own report would
// name its internal current tab even while no category is chosen).
class TCategoryTabBarAccessible : public QAccessibleWidget {
public:
    explicit TCategoryTabBarAccessible(TCategoryTabBar* tabBar);
    ~TCategoryTabBarAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // Lets Qt hand this interface out for every TCategoryTabBar.
    static void Install();

private:
    TCategoryTabBar* TabBar() const;

    mutable QList<QAccessible::Id> m_tabs; // one registered interface per tab position
};
