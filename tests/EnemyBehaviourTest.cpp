// What a player sees each enemy kind do: where it is after n steps from a known
// start, how the bomb pushes it, when wanderers turn, where the stage releases
// enemies and which kinds each draw of the schedule brings.
#include "TestSupport.h"
#include "play/StageController.h"
#include "tools/Base.h"
#include "tools/Bomb.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <string>

namespace {

constexpr double kCentreX = 320;
constexpr double kCentreY = 240;

struct Point {
    double x;
    double y;
};

class EnemyBehaviourTest : public SimTest {
protected:
    EnemyBehaviourTest()
    {
        bomb.initialize(&system, window);
        bomb.reset(320, 240);
        base.initialize(&system, window);
        base.reset(320, 240);
        stage.initialize(&system, &session.world, &bomb, &base);
    }

    Enemy& spawn(EnemyType type, double x, double y)
    {
        EnemyKind& kind = stage.kind(type);
        kind.spawn(x, y);
        return *kind.enemies().back();
    }
    Point steps(EnemyType type, int n, const Enemy& e)
    {
        for (int i = 0; i < n; ++i)
            stage.kind(type).updateAll();
        return {e.x(), e.y()};
    }
    // Steps a lone wanderer until its heading changes; the number of steps it took.
    int stepsUntilATurn(const std::vector<const Enemy*>& wanderers, int limit)
    {
        EnemyKind& kind = stage.kind(EnemyType::Wanderer);
        std::vector<Point> last;
        std::vector<Point> heading(wanderers.size(), {0, 0});
        for (const Enemy* e : wanderers)
            last.push_back({e->x(), e->y()});
        for (int step = 1; step <= limit; ++step) {
            kind.updateAll();
            for (std::size_t i = 0; i < wanderers.size(); ++i) {
                const Point moved{wanderers[i]->x() - last[i].x, wanderers[i]->y() - last[i].y};
                const bool turned = step > 1 && std::hypot(moved.x - heading[i].x, moved.y - heading[i].y) > 1e-6;
                heading[i] = moved;
                last[i] = {wanderers[i]->x(), wanderers[i]->y()};
                if (turned)
                    return step;
            }
        }
        return 0;
    }
    // The turn counter all wanderers share runs on from round to round: brings it to a
    // known value. A turn is seen one step after it is taken, so the counter then stands at 1.
    void waitForAWandererToTurn()
    {
        session.world.random.seed(11);
        const Enemy& e = spawn(EnemyType::Wanderer, 40, 40);
        ASSERT_GT(stepsUntilATurn({&e}, 121), 0);
        stage.kind(EnemyType::Wanderer).clear();
    }
    // Flings the bomb from (600, 240) and flies it until it is left of the centre
    // and still moving left.
    void flingThroughTheCentre()
    {
        const auto press = [this](int x, int y, bool down) {
            sim.movePointer({x, y});
            down ? sim.press(platform::Key::LeftButton) : sim.release(platform::Key::LeftButton);
            bomb.update(player);
            sim.endStep();
        };
        press(320, 240, true);
        press(600, 240, true);
        press(600, 240, false);
        for (int i = 0; i < 100 && bomb.x() > 200; ++i)
            bomb.update(player);
    }

    Bomb bomb;
    Base base;
    StageController stage;
};

// Where straight movement toward the centre puts an enemy after n steps at v a step.
Point towardTheCentre(Point start, double v, int n)
{
    const double dx = start.x - kCentreX;
    const double dy = start.y - kCentreY;
    const double distance = std::hypot(dx, dy);
    const double left = (distance - v * n) / distance;
    return {kCentreX + dx * left, kCentreY + dy * left};
}

}  // namespace

TEST_F(EnemyBehaviourTest, StraightKindsWalkToTheBaseAtTheirOwnSpeed)
{
    const std::map<EnemyType, double> speeds = {
        {EnemyType::Walker, 0.5}, {EnemyType::Runner, 1.0}, {EnemyType::Big, 0.25}, {EnemyType::Splitter, 0.25}};
    // Off the axes and unequal in x and y, so that a swapped sine and cosine or a
    // turned sign shows; one start in each of two opposite quadrants.
    for (const Point start : {Point{620, 640}, Point{-80, -60}}) {
        for (const auto& [type, speed] : speeds) {
            Enemy& e = spawn(type, start.x, start.y);
            const Point at = steps(type, 100, e);
            const Point expected = towardTheCentre(start, speed, 100);
            EXPECT_NEAR(at.x, expected.x, 1e-9) << static_cast<int>(type) << " from " << start.x;
            EXPECT_NEAR(at.y, expected.y, 1e-9) << static_cast<int>(type) << " from " << start.x;
            stage.kind(type).clear();
        }
    }
}

TEST_F(EnemyBehaviourTest, AWandererWalksAtHalfAPixelTowardTheTargetItDrewWhenReleased)
{
    waitForAWandererToTurn();
    session.world.random.seed(5);
    const double tx = session.world.random.range(0, 640);
    const double ty = session.world.random.range(0, 480);
    session.world.random.seed(5);
    const Point start{600, 20};
    const Enemy& e = spawn(EnemyType::Wanderer, start.x, start.y);
    ASSERT_GT(std::hypot(tx - start.x, ty - start.y), 100);
    const Point at = steps(EnemyType::Wanderer, 100, e);
    const double distance = std::hypot(tx - start.x, ty - start.y);
    EXPECT_NEAR(at.x, start.x + (tx - start.x) * 50 / distance, 1e-9);
    EXPECT_NEAR(at.y, start.y + (ty - start.y) * 50 / distance, 1e-9);
}

TEST_F(EnemyBehaviourTest, WanderersTurnEvery120StepsCountedOverAllOfThem)
{
    waitForAWandererToTurn();
    session.world.random.seed(21);
    const Enemy& lone = spawn(EnemyType::Wanderer, 100, 400);
    // The counter reaches 120 in the 119th step; the next is the first toward the new target.
    EXPECT_EQ(stepsUntilATurn({&lone}, 300), 120);
    stage.kind(EnemyType::Wanderer).clear();

    waitForAWandererToTurn();
    session.world.random.seed(21);
    const Enemy& first = spawn(EnemyType::Wanderer, 100, 400);
    const Enemy& second = spawn(EnemyType::Wanderer, 540, 80);
    // Two wanderers count twice a step: the first turns in the 60th.
    EXPECT_EQ(stepsUntilATurn({&first, &second}, 300), 61);
}

TEST_F(EnemyBehaviourTest, TheSwayerCreepsInAndSwaysAlongTheDiagonal)
{
    Enemy& e = spawn(EnemyType::Swayer, 520, 240);
    // No sway at phase 0: a quarter pixel straight in.
    Point at = steps(EnemyType::Swayer, 1, e);
    EXPECT_NEAR(at.x, 519.75, 1e-12);
    EXPECT_NEAR(at.y, 240, 1e-12);
    // Then the sway of phase 1 degree moves it up and left alike.
    at = steps(EnemyType::Swayer, 1, e);
    const double sway = std::sin(std::numbers::pi / 180);
    EXPECT_NEAR(at.x, 519.5 - sway, 1e-12);
    EXPECT_NEAR(at.y, 240 - sway, 1e-12);
    // Half a turn of sway carries it about 115 pixels up the diagonal and a whole
    // turn nearly back, 90 pixels nearer: the positions after 180 and 360 steps.
    at = steps(EnemyType::Swayer, 178, e);
    EXPECT_NEAR(at.x, 368.574, 1e-3);
    EXPECT_NEAR(at.y, 144.652, 1e-3);
    at = steps(EnemyType::Swayer, 180, e);
    EXPECT_NEAR(at.x, 445.896, 1e-3);
    EXPECT_NEAR(at.y, 272.657, 1e-3);
}

TEST_F(EnemyBehaviourTest, TheCirclerSpiralsInAlongACircle)
{
    Enemy& e = spawn(EnemyType::Circler, 600, 240);
    // Phase 0 lifts it a whole pixel while it creeps a quarter pixel in.
    Point at = steps(EnemyType::Circler, 1, e);
    EXPECT_NEAR(at.x, 599.75, 1e-12);
    EXPECT_NEAR(at.y, 239, 1e-12);
    // A quarter turn later it moves left by a whole pixel.
    at = steps(EnemyType::Circler, 89, e);
    const Point before = at;
    at = steps(EnemyType::Circler, 1, e);
    const double a = std::atan2(before.y - 240, before.x - 320);
    EXPECT_NEAR(at.x, before.x - 1 - 0.25 * std::cos(a), 1e-6);
    EXPECT_NEAR(at.y, before.y - 0.25 * std::sin(a), 1e-6);
    // After a whole turn it is back near its line, 90 pixels nearer.
    at = steps(EnemyType::Circler, 270, e);
    EXPECT_NEAR(at.x, 512.163, 1e-3);
    EXPECT_NEAR(at.y, 235.785, 1e-3);
}

TEST_F(EnemyBehaviourTest, ChildrenFlyStraightAndVanishUnpaidAtAnEdge)
{
    EnemyKind& children = *stage.kind(EnemyType::Splitter).children();
    children.spawnMoving(100, 100, 0.6, 0.8);
    const Enemy& flying = *children.enemies().back();
    for (int i = 0; i < 10; ++i)
        children.updateAll();
    EXPECT_NEAR(flying.x(), 106, 1e-9);
    EXPECT_NEAR(flying.y(), 108, 1e-9);
    // The schedule never releases a child.
    children.spawn(100, 100);
    EXPECT_EQ(children.count(), 1);
    children.clear();

    // x is tested after its move, y before: the first leaves in its first step,
    // the second only in its second.
    children.spawnMoving(639.5, 200, 1, 0);
    children.spawnMoving(200, 479.5, 0, 1);
    children.spawnMoving(1, 200, -1, 0);  // lands on the edge itself
    children.spawnMoving(200, 0.5, 0, -1);
    const HitsAndPoints first = children.updateAll();
    EXPECT_EQ(first.points, 0);
    EXPECT_EQ(children.count(), 2);
    const HitsAndPoints second = children.updateAll();
    EXPECT_EQ(second.points, 0);
    EXPECT_EQ(children.count(), 0);
}

TEST_F(EnemyBehaviourTest, EachKindIsTouchedWithinItsOwnRadiusOfTheBomb)
{
    flingThroughTheCentre();
    ASSERT_EQ(bomb.isFlying(), 1);
    const std::map<EnemyType, double> radii = {{EnemyType::Walker, 16}, {EnemyType::Wanderer, 16},
                                               {EnemyType::Runner, 16},  {EnemyType::Swayer, 32},
                                               {EnemyType::Circler, 20}, {EnemyType::Big, 42},
                                               {EnemyType::Splitter, 36}, {EnemyType::Child, 20}};
    for (const auto& [type, radius] : radii) {
        EnemyKind& kind = stage.kind(type);
        // Straight below the bomb: just within the two radii and just beyond.
        const double reach = 32 + radius;
        if (type == EnemyType::Child) {
            kind.spawnMoving(bomb.x(), bomb.y() + reach - 0.01, 0, 0);
            kind.spawnMoving(bomb.x(), bomb.y() + reach + 0.01, 0, 0);
        } else {
            kind.spawn(bomb.x(), bomb.y() + reach - 0.01);
            kind.spawn(bomb.x(), bomb.y() + reach + 0.01);
        }
        kind.collide();
        EXPECT_EQ(kind.enemies()[0]->hit(), 1) << static_cast<int>(type);
        EXPECT_EQ(kind.enemies()[1]->hit(), 0) << static_cast<int>(type);
    }
}

// Every step of a flight: a fresh armoured enemy touched then loses a tenth of the
// bomb's speed, rounded down.
TEST_F(EnemyBehaviourTest, ContactCostsATenthOfTheBombsSpeedRoundedDownAtEverySpeed)
{
    flingThroughTheCentre();
    EnemyKind& armoured = stage.kind(EnemyType::Swayer);
    std::map<int, int> seen;
    for (int step = 0; step < 200 && bomb.isFlying() == 1; ++step, bomb.update(player)) {
        armoured.clear();
        // Away from the base, which would take all its hit points.
        if (std::hypot(bomb.x() - kCentreX, bomb.y() - kCentreY) <= 64)
            continue;
        armoured.spawn(bomb.x(), bomb.y());
        armoured.collide();
        const double speed = std::hypot(bomb.velocityX(), bomb.velocityY());
        const int lost = static_cast<int>(20 - armoured.enemies().front()->hitPoints());
        EXPECT_EQ(lost, static_cast<int>(std::floor(speed / 10))) << speed;
        ++seen[lost];
    }
    // Slow, middling and fast contacts were all tried.
    EXPECT_GE(seen.size(), 3u);
}

// Each kind beside an untouched twin: the push is the difference between them.
TEST_F(EnemyBehaviourTest, TheBombPushesArmouredAndBigKindsOutwardOnlyAndOthersNotAtAll)
{
    struct Case {
        EnemyType type;
        bool pushed;
    };
    const Case cases[] = {{EnemyType::Swayer, true},   {EnemyType::Circler, true}, {EnemyType::Big, true},
                          {EnemyType::Splitter, true}, {EnemyType::Walker, false}, {EnemyType::Runner, false}};
    // Right of the centre and below it; the bomb's flight vector is minus its motion.
    struct Push {
        Point at;
        double vx, vy;
        Point expected;
    };
    const Push pushes[] = {
        {{420, 240}, -20, 0, {2, 0}},     // moving right, outward: pushed right
        {{420, 240}, 20, 0, {0, 0}},      // moving left, inward: not pushed
        {{320, 340}, 0, -30, {0, 3}},     // moving down, outward: pushed down
        {{320, 340}, 0, 30, {0, 0}},      // moving up, inward: not pushed
        {{220, 140}, 10, 40, {-1, -4}},   // moving up and left from up-left: pushed on both axes
    };
    for (const Case& c : cases) {
        for (const Push& push : pushes) {
            EnemyKind& kind = stage.kind(c.type);
            kind.clear();
            Enemy& hit = spawn(c.type, push.at.x, push.at.y);
            const Enemy& twin = spawn(c.type, push.at.x, push.at.y);
            hit.damage(0);
            hit.setKnockBack(push.vx, push.vy);
            kind.updateAll();
            const double factor = c.pushed ? 1 : 0;
            EXPECT_NEAR(hit.x() - twin.x(), push.expected.x * factor, 1e-9)
                << static_cast<int>(c.type) << " at " << push.at.x << "," << push.at.y;
            EXPECT_NEAR(hit.y() - twin.y(), push.expected.y * factor, 1e-9)
                << static_cast<int>(c.type) << " at " << push.at.x << "," << push.at.y;
        }
    }
}

TEST_F(EnemyBehaviourTest, ABombFlyingOutwardThroughABigEnemyCarriesItAlong)
{
    flingThroughTheCentre();
    ASSERT_EQ(bomb.isFlying(), 1);
    ASSERT_GT(bomb.velocityX(), 0);  // moving left, away from the centre
    EnemyKind& big = stage.kind(EnemyType::Big);
    Enemy& e = spawn(EnemyType::Big, bomb.x(), 240);
    const double x = e.x();
    big.collide();
    big.updateAll();
    EXPECT_NEAR(e.x(), x + 0.25 - 0.1 * bomb.velocityX(), 1e-9);
    EXPECT_LT(e.x(), x);
}

TEST_F(EnemyBehaviourTest, SpawnPointsLieWithinTheirKindsMarginBeyondOneEdge)
{
    // Straight movers only, whose first step can be undone exactly.
    const std::map<EnemyType, double> speeds = {
        {EnemyType::Walker, 0.5}, {EnemyType::Runner, 1.0}, {EnemyType::Big, 0.25}, {EnemyType::Splitter, 0.25}};
    struct Reach {
        double deepest = 0;
        double nearest = 1e9;
        double lowAlong = 1e9;
        double highAlong = 0;
        int sides[4] = {};
    };
    std::map<double, Reach> reach;  // by margin
    session.world.random.seed(3);
    int events = 0;
    for (int step = 0; events < 3000; ++step) {
        stage.clear();
        const int timer = stage.spawnTimer();
        stage.update(10);
        if (timer != 0)
            continue;
        ++events;
        for (const auto& [type, speed] : speeds) {
            if (stage.kind(type).count() == 0)
                continue;
            const Enemy& e = *stage.kind(type).enemies().front();
            const double d = std::hypot(e.x() - kCentreX, e.y() - kCentreY);
            const double x = e.x() + (e.x() - kCentreX) * speed / d;
            const double y = e.y() + (e.y() - kCentreY) * speed / d;
            const double margin = type == EnemyType::Big || type == EnemyType::Splitter ? 128 : 64;
            const double beyond[4] = {-x, x - 640, y - 480, -y};  // left, right, bottom, top
            const int side = static_cast<int>(std::max_element(beyond, beyond + 4) - beyond);
            const double along = side < 2 ? y : x;
            const double length = side < 2 ? 480 : 640;
            EXPECT_GT(beyond[side], -1e-9) << x << "," << y;
            EXPECT_LT(beyond[side], margin) << x << "," << y;
            EXPECT_GE(along, 0) << x << "," << y;
            EXPECT_LT(along, length) << x << "," << y;
            Reach& r = reach[margin];
            r.deepest = std::max(r.deepest, beyond[side]);
            r.nearest = std::min(r.nearest, beyond[side]);
            r.lowAlong = std::min(r.lowAlong, along / length);
            r.highAlong = std::max(r.highAlong, along / length);
            ++r.sides[side];
        }
    }
    // The whole of each margin and of each edge is used, on all four sides.
    for (const auto& [margin, r] : reach) {
        EXPECT_GT(r.deepest, margin - 0.5) << margin;
        EXPECT_LT(r.nearest, 0.5) << margin;
        EXPECT_LT(r.lowAlong, 0.01) << margin;
        EXPECT_GT(r.highAlong, 0.99) << margin;
        for (int side = 0; side < 4; ++side)
            EXPECT_GT(r.sides[side], 0) << margin << " side " << side;
    }
    EXPECT_EQ(reach.size(), 2u);
}

// Each band's ten entries, by the kinds a draw of r releases: 1 to 5 for the small
// kinds, b for the big kind, s for the splitter.
TEST_F(EnemyBehaviourTest, EveryEntryOfTheScheduleReleasesItsKinds)
{
    struct BandCase {
        int seconds;
        int period;
        const char* entries[10];
    };
    const BandCase bands[] = {
        {180, 60, {"2", "2", "2", "1", "1", "1", "1", "1", "1", "1"}},
        {150, 60, {"2", "2", "2", "1", "1", "1", "1", "1", "1", "1"}},
        {149, 50, {"43", "3", "2", "2", "2", "b", "b", "1", "1", "1"}},
        {120, 50, {"43", "3", "2", "2", "2", "b", "b", "1", "1", "1"}},
        {119, 50, {"1", "3", "4", "4", "4", "4", "5", "5", "5", "5"}},
        {90, 50, {"1", "3", "4", "4", "4", "4", "5", "5", "5", "5"}},
        {89, 50, {"b", "b", "3", "4", "4", "4", "3", "3", "5", "5"}},
        {60, 50, {"b", "b", "3", "4", "4", "4", "3", "3", "5", "5"}},
        {59, 50, {"b", "s", "1", "2", "2", "2", "1", "1", "3", "3"}},
        {30, 50, {"b", "s", "1", "2", "2", "2", "1", "1", "3", "3"}},
        {29, 40, {"b", "s", "s", "3", "2", "3", "1", "2", "4", "5"}},
        {0, 40, {"b", "s", "s", "3", "2", "3", "1", "2", "4", "5"}},
    };
    const std::map<char, EnemyType> kinds = {{'1', EnemyType::Walker}, {'2', EnemyType::Wanderer},
                                             {'3', EnemyType::Runner}, {'4', EnemyType::Swayer},
                                             {'5', EnemyType::Circler}, {'b', EnemyType::Big},
                                             {'s', EnemyType::Splitter}};
    for (const BandCase& band : bands) {
        for (int r = 0; r < 10; ++r) {
            // Outside every band the timer only counts down.
            while (stage.spawnTimer() > 0)
                stage.update(181);
            stage.clear();
            unsigned seed = 0;
            for (;; ++seed) {
                session.world.random.seed(seed);
                if (session.world.random.nextInt() % 10 == r)
                    break;
            }
            session.world.random.seed(seed);
            stage.update(band.seconds);
            std::map<EnemyType, int> expected;
            for (const char* k = band.entries[r]; *k != '\0'; ++k)
                ++expected[kinds.at(*k)];
            for (const auto& [name, type] : kinds)
                EXPECT_EQ(stage.kind(type).count(), expected[type])
                    << band.seconds << "s, entry " << r << ", kind " << name;
            EXPECT_EQ(stage.spawnTimer(), band.period - 1) << band.seconds;
        }
    }
    // Beyond the round's 180 seconds nothing comes.
    stage.clear();
    stage.update(181);
    EXPECT_EQ(stage.enemyCount(), 0);
}
