#include "Hotkeys/OSDKeyBindingStore.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QTest>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {
namespace {

using testing::plainModel;

// Qt key presses on a 7-cell, 3-column grid, resolved by the default OSD key bindings.
class OSDGridViewKeysTest : public testing::OSDGridViewTest {
protected:
    OSDGridViewKeysTest() {
        view.keyBindingActionResolver = [this](const Event& event) { return store.action(event); };
    }

    void showGrid(int64_t selected, GridWrapStyle wrapStyle = GridWrapStyle::snake,
                  bool blocksAtEdges = false) {
        OSDGridMouseInteractionContext context;
        context.currentActiveIndex = selected;
        context.allowsKeyboardSelection = allowsKeyboardSelection;
        context.wrapStyle = wrapStyle;
        context.blocksAtEdges = blocksAtEdges;
        context.onKeyboardMove = onKeyboardMove;
        context.onSelect = [this](int64_t i) { calls.push_back("select " + std::to_string(i)); };
        context.onCancel = [this] { calls.push_back("cancel"); };
        view.setMouseInteractionContext(context);
        showStatic(plainModel(7, 3, selected));
    }

    std::optional<int64_t> selection() const { return view.mouseInteractionState()->hoveredIndex; }
    int beeps() { return host.system().beepCount(); }

    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost scopedHost{host};
    OSDKeyBindingStore store{host.defaults()};
    bool allowsKeyboardSelection = true;
    std::function<bool(OSDGridKeyboardSelectionDirection)> onKeyboardMove;
    std::vector<std::string> calls;
};

TEST_F(OSDGridViewKeysTest, OwnSelectionWrapsByTheGridsRules) {
    struct Case {
        const char* name;
        GridWrapStyle wrapStyle;
        bool blocks;
        int64_t from;
        Qt::Key key;
        std::optional<int64_t> to; // none: a beep and no move
    };
    const GridWrapStyle snake = GridWrapStyle::snake;
    const GridWrapStyle pacMan = GridWrapStyle::pacMan;
    for (const Case& c : {
             Case{"snake: a row end chains on", snake, false, 2, Qt::Key_Right, 3},
             Case{"snake: the last cell wraps to the first", snake, false, 6, Qt::Key_Right, 0},
             Case{"snake: down into a missing cell wraps the column", snake, false, 5, Qt::Key_Down,
                  2},
             Case{"snake: up skips a missing cell", snake, false, 1, Qt::Key_Up, 4},
             Case{"pacMan: a row wraps onto itself", pacMan, false, 3, Qt::Key_Left, 5},
             Case{"pacMan: a row of one cell cannot move", pacMan, false, 6, Qt::Key_Right,
                  std::nullopt},
             Case{"blocking: the right edge", snake, true, 2, Qt::Key_Right, std::nullopt},
             Case{"blocking: the bottom edge", snake, true, 4, Qt::Key_Down, std::nullopt},
         }) {
        SCOPED_TRACE(c.name);
        showGrid(c.from, c.wrapStyle, c.blocks);
        const int before = beeps();
        QTest::keyClick(&view, c.key);
        EXPECT_EQ(selection(), c.to);
        EXPECT_EQ(beeps() - before, c.to ? 0 : 1);
    }
}

TEST_F(OSDGridViewKeysTest, ReturnPicksTheKeyboardSelectionEvenWithoutClickSelection) {
    showGrid(0);
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Right);
    ASSERT_TRUE(view.displayedModel());
    EXPECT_EQ(view.displayedModel()->activeIndex(), 2);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(calls, (std::vector<std::string>{"select 2", "cancel"}));
}

TEST_F(OSDGridViewKeysTest, AnOwnerThatTakesMovesKeepsTheViewStill) {
    std::vector<OSDGridKeyboardSelectionDirection> handed;
    bool handles = true;
    onKeyboardMove = [&](OSDGridKeyboardSelectionDirection direction) {
        handed.push_back(direction);
        return handles;
    };
    showGrid(0);
    QTest::keyClick(&view, Qt::Key_Down);
    handles = false;
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(handed, (std::vector{OSDGridKeyboardSelectionDirection::down,
                                   OSDGridKeyboardSelectionDirection::left}));
    EXPECT_FALSE(selection());
    EXPECT_EQ(beeps(), 1);
}

TEST_F(OSDGridViewKeysTest, UnboundKeysAndGridsWithoutKeysIgnoreThePress) {
    showGrid(0);
    QTest::keyClick(&view, Qt::Key_A);
    allowsKeyboardSelection = false;
    showGrid(0);
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_FALSE(selection());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(beeps(), 0);
}

} // namespace
} // namespace tessarin
