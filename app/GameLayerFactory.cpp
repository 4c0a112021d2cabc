#include "app/GameLayerFactory.h"

#include <array>

namespace {

std::array<GameLayerFactory, 3>& factories() {
    static std::array<GameLayerFactory, 3> s_factories;
    return s_factories;
}

}  // namespace

GameKind gameKindFor(std::string_view section) {
    if (section.find("trouble") != std::string_view::npos) return GameKind::Trouble;
    if (section.starts_with("level")) return GameKind::Twisted;
    return GameKind::Collapse;
}

void setGameLayerFactory(GameKind kind, GameLayerFactory factory) {
    factories()[static_cast<std::size_t>(kind)] = std::move(factory);
}

const GameLayerFactory* gameLayerFactory(GameKind kind) {
    const GameLayerFactory& factory = factories()[static_cast<std::size_t>(kind)];
    return factory.create || factory.savedGameState ? &factory : nullptr;
}
