#include "ui/main/PreviewRequest.h"

namespace quorvane::ui {
namespace {

PreviewRunner g_runner = nullptr;

} // namespace

void SetPreviewRunner(PreviewRunner runner) {
    g_runner = runner;
}

PreviewRunner CurrentPreviewRunner() {
    return g_runner;
}

} // namespace quorvane::ui
