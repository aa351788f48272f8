#include "ui/preview/PlayerView.h"

namespace quorvane::ui {

PlayerView::PlayerView(QWidget* parent, PreviewPlayerPage* page)
    : QWebEngineView(parent), m_player(page) {
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);
}

} // namespace quorvane::ui
