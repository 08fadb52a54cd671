#include "app/StateLine.h"

#include "scenes/GameScene.h"

#include <cstdio>
#include <sstream>

namespace {
std::string decimal(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}
}  // namespace

std::string StateLine::describe(const Application& application, int steps)
{
    const SceneManager& scenes = application.scenes();
    const SharedResult& result = application.session().result;
    std::ostringstream line;
    line << "step=" << steps << " scene=" << scenes.currentScene()
         << " result_score=" << result.score() << " result_name=\"" << result.name() << "\""
         << " pending=" << result.pending();
    const auto* game = dynamic_cast<const GameScene*>(scenes.scene(kGameScene));
    if (scenes.currentScene() == kGameScene && game != nullptr) {
        const Bomb& bomb = game->bomb();
        line << " end=" << static_cast<int>(game->endKind()) << " time=" << game->panel().timeLeft()
             << " score=" << game->panel().score() << " hp=" << game->base().hitPoints()
             << " combo=" << game->combo().count() << " best=" << game->combo().maxCombo()
             << " enemies=" << game->stage().enemyCount() << " bomb_x=" << decimal(bomb.x())
             << " bomb_y=" << decimal(bomb.y()) << " bomb_vx=" << decimal(bomb.velocityX())
             << " bomb_vy=" << decimal(bomb.velocityY()) << " grabbed=" << bomb.isGrabbed()
             << " flying=" << bomb.isFlying();
    }
    return line.str();
}
