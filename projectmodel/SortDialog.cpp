#include "projectmodel/SortDialog.h"

namespace mb {
namespace {

class CancellingSortDialog final : public ISortDialog {
public:
    bool Ask(const std::string&, SortChoice&) override { return false; }
};

CancellingSortDialog g_cancelling;
ISortDialog* g_dialog = nullptr;

} // namespace

ISortDialog& SortDialog() {
    return g_dialog ? *g_dialog : g_cancelling;
}

void SetSortDialog(ISortDialog* dialog) {
    g_dialog = dialog;
}

} // namespace mb
