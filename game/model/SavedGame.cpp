#include "game/model/SavedGame.h"

#include "core/xfer/Version.h"

SavedGame::Stop SavedGame::transfer(core::xfer::VirtualBase& t) {
    const bool loading = t.IsLoading();
    if (loading) {
        history.clear();
        deck.clear();
        cells = {};
        pointBonuses.clear();
    }
    core::xfer::Version stamp(t, kVersion);
    version = stamp.Number();
    if (t.HasError()) return {Field::Version};
    if (t.Transfer(section).HasError()) return {Field::Section};
    if (t.Transfer(score).HasError()) return {Field::Score};
    if (t.Transfer(history).HasError()) return {Field::History};
    if (t.Transfer(level).HasError()) return {Field::Level};
    if (t.Transfer(bricksLeft).HasError()) return {Field::BricksLeft};
    if (t.Transfer(bricksTarget).HasError()) return {Field::BricksTarget};
    if (t.Transfer(randomState).HasError()) return {Field::RandomState};
    if (t.Transfer(deck).HasError()) return {Field::Deck};
    const int columns = static_cast<int>(cells.size()), rows = static_cast<int>(cells[0].size());
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            std::int32_t code = cells[x][y];
            if (t.TransferPacked(code).HasError()) return {Field::Cells, y * columns + x};
            cells[x][y] = code;
        }
    }
    if (!loading) {
        for (PointBonus& bonus : pointBonuses)
            t.Transfer(bonus.section).TransferPacked(bonus.x).TransferPacked(bonus.y).Transfer(bonus.seconds);
        std::string end;
        t.Transfer(end);
        return t.HasError() ? Stop{Field::PointBonuses} : Stop{};
    }
    for (int record = 0;; ++record) {
        PointBonus bonus;
        if (t.Transfer(bonus.section).HasError()) return {Field::PointBonuses, record};
        if (bonus.section.empty()) return {};
        if (t.TransferPacked(bonus.x).TransferPacked(bonus.y).Transfer(bonus.seconds).HasError())
            return {Field::PointBonuses, record};
        pointBonuses.push_back(std::move(bonus));
    }
}
