#pragma once

#include <QScrollArea>
#include <functional>

namespace vallo {

// A plain scroll area that is opaque and reports every change of either scroll position.
class TmogScrollBox2 : public QScrollArea {
    Q_OBJECT
public:
    explicit TmogScrollBox2(QWidget* parent = nullptr);

    std::function<void()> OnScroll;
    std::function<void()> OnResize;

    int ScrollX() const;
    int ScrollY() const;
    void ScrollTo(int x, int y);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace vallo
