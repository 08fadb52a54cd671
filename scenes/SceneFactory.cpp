#include "scenes/SceneFactory.h"

#include "play/GameScene.h"
#include "scenes/IntroScene.h"
#include "scenes/NameEntryScene.h"
#include "scenes/RankingScene.h"
#include "scenes/TitleScene.h"

std::unique_ptr<Scene> SceneFactory::create(int number)
{
    switch (number) {
    case kTitleScene: return std::make_unique<TitleScene>();
    case kNameEntryScene: return std::make_unique<NameEntryScene>();
    case kRankingScene: return std::make_unique<RankingScene>();
    case kIntroScene: return std::make_unique<IntroScene>();
    case kGameScene: return std::make_unique<GameScene>();
    default: return nullptr;
    }
}
