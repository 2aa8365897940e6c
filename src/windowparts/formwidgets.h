#pragma once
#include <QLabel>
#include <QWidget>

class QToolButton;

// Two small arrow buttons, one above the other (the year and month arrows).
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget* parent = nullptr);
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void upClicked();
    void downClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

// The backdrop behind the controls: a tiled background and, optionally, the title banner.
class BackdropPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void setBannerShown(bool shown);
    bool bannerShown() const { return m_banner; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_banner = true;
};
