#include "Hotkeys/OSDKeyBindingStore.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QTest>

namespace tessarin {
namespace {

using Direction = OSDGridKeyboardSelectionDirection;

// Qt key presses on 7 cells in 3 columns, read through the default OSD key bindings.
class OSDGridViewKeysTest : public testing::OSDGridViewTest {
protected:
    void showGrid(int64_t selected, GridWrapStyle wrapStyle, bool blocksAtEdges = false) {
        view.keyBindingActionResolver = [this](const Event& event) { return store.action(event); };
        context.currentActiveIndex = selected;
        context.wrapStyle = wrapStyle;
        context.blocksAtEdges = blocksAtEdges;
        view.setMouseInteractionContext(context);
        showStatic(testing::plainModel(7, 3, selected));
    }
    std::optional<int64_t> selection() const { return view.mouseInteractionState()->hoveredIndex; }

    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost scopedHost{host};
    OSDKeyBindingStore store{host.defaults()};
    OSDGridMouseInteractionContext context{.allowsKeyboardSelection = true};
};

TEST_F(OSDGridViewKeysTest, OwnSelectionMovesByTheGridResolversRules) {
    const auto snake = GridWrapStyle::snake, pacMan = GridWrapStyle::pacMan;
    struct Case {
        GridWrapStyle wrapStyle;
        bool blocks;
        int64_t from;
        Qt::Key key;
        std::optional<int64_t> to; // none: one beep, no move
    };
    for (const Case& c :
         {Case{snake, false, 6, Qt::Key_Right, 0}, Case{snake, false, 5, Qt::Key_Down, 2},
          Case{snake, false, 1, Qt::Key_Up, 4}, Case{pacMan, false, 3, Qt::Key_Left, 5},
          Case{pacMan, false, 6, Qt::Key_Right, std::nullopt},
          Case{snake, true, 4, Qt::Key_Down, std::nullopt}}) {
        SCOPED_TRACE(::testing::Message() << c.from << " key " << c.key << " blocks " << c.blocks);
        showGrid(c.from, c.wrapStyle, c.blocks);
        const int beeps = host.system().beepCount();
        QTest::keyClick(&view, c.key);
        EXPECT_EQ(selection(), c.to);
        EXPECT_EQ(host.system().beepCount() - beeps, c.to ? 0 : 1);
    }
}

TEST_F(OSDGridViewKeysTest, ReturnPicksTheSelectionAndMovesGoToAnOwnerThatWantsThem) {
    std::vector<std::string> calls;
    context.onSelect = [&](int64_t i) { calls.push_back("select " + std::to_string(i)); };
    context.onCancel = [&] { calls.push_back("cancel"); };
    showGrid(0, GridWrapStyle::snake);
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return, Qt::Key_Escape}) {
        QTest::keyClick(&view, key);
    }
    context.onKeyboardMove = [&](Direction d) { return d == Direction::down; };
    showGrid(0, GridWrapStyle::snake);
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(calls, (std::vector<std::string>{"select 2", "cancel"}));
    EXPECT_FALSE(selection());
    EXPECT_EQ(host.system().beepCount(), 1);
}

} // namespace
} // namespace tessarin
