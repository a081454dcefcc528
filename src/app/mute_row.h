#pragma once
// The six output mute buttons under "Output Muting", each kept above the tab of its
// output, and "All Muting".

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QTabBar;

namespace mqx {

class MuteRow : public QWidget {
    Q_OBJECT
public:
    MuteRow(QTabBar* tabBar, int firstOutputTab, QWidget* parent = nullptr);

    void setMuted(int channel, bool muted);
    QPushButton* button(int channel) const { return m_buttons[static_cast<std::size_t>(channel)]; }
    QPushButton* allMuting() const { return m_allMuting; }

Q_SIGNALS:
    void muteClicked(int channel, bool muted);
    void allMutingClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kOutputs = 6;
    void place();
    QTabBar* m_tabBar;
    int m_firstOutputTab;
    std::array<QPushButton*, kOutputs> m_buttons{};
    QPushButton* m_allMuting = nullptr;
    QLabel* m_caption = nullptr;
};

} // namespace mqx
