#pragma once

#include <QTabBar>

// The category tabs down the left edge: captions upright so Chinese names read without
// turning the head, the selected tab's caption bold, and a selection that can be empty
// (QTabBar itself always has a current tab). Painting is ours, and so is what a screen reader
// is told about the tabs (TCategoryTabBarAccessible).
class TCategoryTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit TCategoryTabBar(QWidget* parent = nullptr);

    int SelectedIndex() const { return m_selected; }
    void ClearTabs(); // removes every tab and leaves none selected

signals:
    void TabClick(int index); // any mouse button pressed on a tab, the selected one too
    void TabOrderChange();    // a drag moved a tab to another place

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FollowMove(int from, int to);

    int m_selected = -1;
    bool m_movedInDrag = false;
};
