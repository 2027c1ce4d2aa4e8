// Undo and redo beside the document, where the editor's own tests do not reach: a redo
// dropped by a new edit, merged typing, the bound on the steps, shared snapshots.
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
    // An edit the way the window runs one: snapshot, operation, record.
    template <typename Op> void edit(Selection sel, Op op, const std::string& key = {}) {
        DocumentState before = doc.snapshot();
        const std::optional<Selection> after = op(sel);
        history.record(std::move(before), sel, doc, after.value_or(sel), key);
    }
    void moveUp(int pos) {
        edit({pos}, [&](const Selection& s) { return doc.moveUp(s); });
    }
    void label(const char* text, const char* key = "label") {
        edit(
            {},
            [&](const Selection&) {
                doc.setLabel(text);
                return std::optional<Selection>{};
            },
            key);
    }
};

} // namespace

TEST(EditHistory, NewEditsDropRedoAndTypingMerges) {
    Fixture f(3);
    f.moveUp(2);
    EXPECT_EQ(f.history.undo(f.doc), Selection{2});
    EXPECT_EQ(f.order(), "ABC");
    EXPECT_FALSE(f.doc.modified());
    f.moveUp(1); // drops the move that could have been redone
    EXPECT_FALSE(f.history.canRedo());
    EXPECT_EQ(f.history.redo(f.doc), std::nullopt);
    EXPECT_EQ(f.order(), "BAC");

    f.label("T");
    f.label("TA");
    f.label("TAP");
    EXPECT_EQ(f.history.undoSteps(), 2u);
    f.history.markSaved(f.doc); // a save in between starts a new step
    f.label("TAPE");
    f.label("X", "other");
    EXPECT_EQ(f.history.undoSteps(), 4u);
    f.history.undo(f.doc);
    f.history.undo(f.doc);
    EXPECT_EQ(f.doc.label(), "TAP");
    EXPECT_FALSE(f.doc.modified()); // the state saved
    f.history.undo(f.doc);
    EXPECT_EQ(f.doc.label(), "");
    EXPECT_TRUE(f.doc.modified());
}

TEST(EditHistory, BoundedStepsAndSharedData) {
    Fixture f(3, 5);
    for (int i = 0; i < 8; ++i)
        f.moveUp(1);
    EXPECT_EQ(f.history.undoSteps(), 5u);
    while (f.history.undo(f.doc)) {
    }
    EXPECT_EQ(f.order(), "BAC");   // three moves were forgotten
    EXPECT_TRUE(f.doc.modified()); // the state opened is no longer in reach
    // Snapshots share an entry's own bytes instead of copying them.
    DocumentState own = f.doc.snapshot();
    own.entries[0].data = EntryData(Bytes{1, 2, 3});
    own.fileType01 = true;
    f.doc.restore(own);
    const DocumentState snap = f.doc.snapshot();
    EXPECT_EQ(snap.entries[0].data.data(), f.doc.entries()[0].data.data());
    EXPECT_EQ(snap.entries[0].data, (Bytes{1, 2, 3}));
    EXPECT_TRUE(snap.fileType01);
}
