#include "scenes/SceneFactory.h"

#include "scenes/GameScene.h"
#include "scenes/IntroScene.h"
#include "scenes/NameEntryScene.h"
#include "scenes/RankingScene.h"
#include "scenes/TitleScene.h"

std::unique_ptr<Scene> SceneFactory::create(int number, Session& session)
{
    switch (number) {
    case kTitleScene: return std::make_unique<TitleScene>(session);
    case kNameEntryScene: return std::make_unique<NameEntryScene>(session);
    case kRankingScene: return std::make_unique<RankingScene>(session);
    case kIntroScene: return std::make_unique<IntroScene>();
    case kGameScene: return std::make_unique<GameScene>(session);
    default: return nullptr;
    }
}
