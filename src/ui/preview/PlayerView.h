#pragma once

#include "ui/preview/PreviewPlayerPage.h"

#include <QWebEngineView>

namespace quorvane::ui {

// The preview's browser view: a web view showing the program's player page.
class PlayerView : public QWebEngineView {
    Q_OBJECT

public:
    explicit PlayerView(QWidget* parent = nullptr,
                        PreviewPlayerPage* page = PreviewPlayerPage::Instance());

    PreviewPlayerPage* Player() const { return m_player; }

private:
    PreviewPlayerPage* m_player;
};

} // namespace quorvane::ui
