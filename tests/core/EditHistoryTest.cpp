// Undo and redo beside the document: states, selections, the modified flag, merged label
// typing and the bound on the number of steps.
#include "core/EditHistory.h"

#include <gtest/gtest.h>

using namespace vornix;

namespace {

// A document of programs named A, B, C, ..., unmodified, with a fresh history.
struct Fixture {
    TapeDocument doc;
    EditHistory history;

    explicit Fixture(int n, std::size_t limit = EditHistory::kDefaultLimit) : history(limit) {
        doc.newImage();
        for (int i = 0; i < n; ++i)
            doc.addProgram("test", std::string(1, char('A' + i)), {0x01, 0x08, std::uint8_t(i)});
        doc.setModified(false);
        history.reset(doc);
    }
    std::string order() const {
        std::string s;
        for (const Entry& e : doc.entries())
            s += e.name[0];
        return s;
    }
    // Runs an edit the way the window does: snapshot, operation, record.
    template <typename Op> Selection edit(Selection sel, Op op, const std::string& key = {}) {
        DocumentState before = doc.snapshot();
        const std::optional<Selection> after = op(sel);
        history.record(std::move(before), sel, doc, after.value_or(sel), key);
        return after.value_or(sel);
    }
};

} // namespace

TEST(EditHistory, UndoRedoRestoresStateSelectionAndModified) {
    Fixture f(4);
    f.edit({2}, [&](const Selection& s) { return f.doc.moveToTop(s); });
    f.edit({3}, [&](const Selection& s) { return f.doc.deleteSelected(s); });
    f.edit({}, [&](const Selection&) {
        f.doc.rename(0, "zz");
        return std::optional<Selection>{};
    });
    f.edit({}, [&](const Selection&) {
        f.doc.setFileType01(true);
        return std::optional<Selection>{};
    });
    EXPECT_EQ(f.order(), "ZAB");
    EXPECT_TRUE(f.doc.modified());

    f.history.undo(f.doc);
    EXPECT_FALSE(f.doc.fileType01());

    EXPECT_EQ(f.history.undo(f.doc), Selection{});
    EXPECT_EQ(f.history.undo(f.doc), Selection{3}); // the selection before the delete
    EXPECT_EQ(f.order(), "CABD");
    EXPECT_EQ(f.doc.capacity(), 4);
    EXPECT_EQ(f.history.undo(f.doc), Selection{2});
    EXPECT_EQ(f.order(), "ABCD");
    EXPECT_FALSE(f.doc.modified()); // back where it was opened
    EXPECT_FALSE(f.history.undo(f.doc));

    EXPECT_EQ(f.history.redo(f.doc), Selection{0}); // the selection after the move
    EXPECT_EQ(f.order(), "CABD");
    EXPECT_TRUE(f.doc.modified());
    // A save there: undo leaves the saved state (modified), redo comes back to it (not).
    f.history.markSaved(f.doc);
    f.doc.setModified(false);
    f.history.undo(f.doc);
    EXPECT_TRUE(f.doc.modified());
    f.history.redo(f.doc);
    EXPECT_FALSE(f.doc.modified());
    // A new edit drops what could have been redone.
    f.edit({0}, [&](const Selection& s) { return f.doc.moveDown(s); });
    EXPECT_FALSE(f.history.canRedo());
    EXPECT_EQ(f.order(), "ACBD");
    f.history.undo(f.doc);
    EXPECT_FALSE(f.doc.modified());
}

TEST(EditHistory, LabelTypingIsOneStepUntilSomethingElseHappens) {
    Fixture f(1);
    const auto type = [&](const char* text) {
        f.edit(
            {},
            [&](const Selection&) {
                f.doc.setLabel(text);
                return std::optional<Selection>{};
            },
            "label");
    };
    type("T");
    type("TA");
    type("TAP");
    EXPECT_EQ(f.history.undoSteps(), 1u);
    f.history.markSaved(f.doc); // a save in between starts a new step
    type("TAPE");
    EXPECT_EQ(f.history.undoSteps(), 2u);
    f.history.undo(f.doc);
    EXPECT_EQ(f.doc.label(), "TAP");
    f.history.undo(f.doc);
    EXPECT_EQ(f.doc.label(), "");
}

TEST(EditHistory, BoundedStepsAndSharedData) {
    Fixture f(3, 5);
    for (int i = 0; i < 8; ++i)
        f.edit({1}, [&](const Selection& s) { return f.doc.moveUp(s); });
    EXPECT_EQ(f.history.undoSteps(), 5u);
    while (f.history.undo(f.doc)) {
    }
    EXPECT_EQ(f.order(), "BAC");   // three moves were forgotten
    EXPECT_TRUE(f.doc.modified()); // the state opened is no longer in reach
    // Snapshots share an entry's own bytes instead of copying them.
    DocumentState own = f.doc.snapshot();
    own.entries[0].data = EntryData(Bytes{1, 2, 3});
    f.doc.restore(own);
    const DocumentState snap = f.doc.snapshot();
    EXPECT_EQ(snap.entries[0].data.data(), f.doc.entries()[0].data.data());
    EXPECT_EQ(snap.entries[0].data, (Bytes{1, 2, 3}));
}
