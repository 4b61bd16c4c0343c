// Moving through the list from the spin control: one entry per proposed
// change whatever its size, round both ends, and the position the control
// is to show, unchanged when the move is refused.

#include <climits>
#include <string>

#include "editor/ListPositions.h"
#include "tests/ui/DialogFixture.h"

namespace sci::test {
namespace {

struct MoveCase {
  int from;
  int proposed;
  // The entry on screen fails validation and the discard question is
  // answered with Cancel.
  bool refused;
  int shown;
};

const MoveCase kMoves[] = {
    {1, +1, false, 2},
    {7, -1, false, 6},
    {kFirstPosition, -1, false, kLastPosition},
    {kLastPosition, +1, false, kFirstPosition},
    // Page Up/Down and an accelerated hold propose several entries at once.
    {5, +10, false, 6},
    {5, -10, false, 4},
    {kLastPosition, +5, false, kFirstPosition},
    {kFirstPosition, -5, false, kLastPosition},
    {7, INT_MAX, false, 8},
    {7, INT_MIN, false, 6},
    {7, 0, false, 7},
    {7, +1, true, 7},
    {kFirstPosition, -1, true, kFirstPosition},
    {kLastPosition, +3, true, kLastPosition},
};

TEST_F(DialogTest, EachProposedChangeMovesOneEntryAndAnswersThePositionToShow) {
  for (const MoveCase& c : kMoves) {
    SCOPED_TRACE("from " + std::to_string(c.from) + " by " + std::to_string(c.proposed) +
                 (c.refused ? ", refused" : ""));
    controls = FakeControls{};
    prompts = FakePrompts{};
    started();
    while (dialog->editor().current() + kFirstPosition != c.from) dialog->OnDeltaPos(+1);
    if (c.refused) {
      controls.type(IDC_SERVER, "short");
      prompts.answers = {PromptAnswer::Cancel};
    }

    EXPECT_EQ(dialog->OnDeltaPos(c.proposed), c.shown);

    EXPECT_EQ(dialog->editor().current() + kFirstPosition, c.shown);
    EXPECT_EQ(prompts.messages.size(), c.refused ? 1u : 0u);
  }
}

}  // namespace
}  // namespace sci::test
