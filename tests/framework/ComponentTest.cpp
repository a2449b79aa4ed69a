#include "framework/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vcl;

namespace {

// Records every notification and its own destruction into a shared log.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string tag, std::vector<std::string>& log)
        : TComponent(owner), tag_(std::move(tag)), log_(log) {}
    ~Probe() override { log_.push_back("free " + tag_); }

    Probe* ref = nullptr;
    bool sawDestroyingWhileFreed = false;

protected:
    void Notification(TComponent* c, TOperation op) override {
        if (op == opRemove && c == ref) {
            ref = nullptr;
            log_.push_back(tag_ + " cleared");
        }
        TComponent::Notification(c, op);
    }

private:
    std::string tag_;
    std::vector<std::string>& log_;
};

} // namespace

TEST(Component, OwnerFreesOwnedInReverseCreationOrder) {
    std::vector<std::string> log;
    auto* form = new TComponent(nullptr);
    new Probe(form, "a", log);
    auto* b = new Probe(form, "b", log);
    new Probe(b, "b1", log);
    new Probe(form, "c", log);
    EXPECT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(b->ComponentIndex(), 1);
    delete form;
    EXPECT_EQ(log, (std::vector<std::string>{"free c", "free b", "free b1", "free a"}));
}

TEST(Component, DeletingAnOwnedComponentLeavesTheOwnerAndTellsSiblings) {
    std::vector<std::string> log;
    TComponent form(nullptr);
    auto* data = new Probe(&form, "data", log);
    auto* user = new Probe(&form, "user", log);
    user->ref = data;
    delete data;
    EXPECT_EQ(user->ref, nullptr);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), user);
}

TEST(Component, FreeNotificationAcrossOwnersAndItsRemoval) {
    std::vector<std::string> log;
    TComponent form1(nullptr);
    TComponent form2(nullptr);
    auto* data = new Probe(&form1, "data", log);
    auto* user = new Probe(&form2, "user", log);
    auto* other = new Probe(&form2, "other", log);
    user->ref = data;
    other->ref = data;
    user->FreeNotification(data);
    other->FreeNotification(data);
    other->RemoveFreeNotification(data);
    delete data;
    EXPECT_EQ(user->ref, nullptr);
    EXPECT_EQ(other->ref, data); // it withdrew its request, so it was not told
    // The link is mutual: freeing the listener first must not leave a dangling entry behind.
    auto* data2 = new Probe(&form1, "data2", log);
    auto* listener = new Probe(&form2, "listener", log);
    listener->FreeNotification(data2);
    delete listener;
    delete data2; // would touch the freed listener under ASan if the link stayed
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner) {
    TComponent form(nullptr);
    auto* a = new TComponent(&form);
    a->SetName("btn1");
    auto* b = new TComponent(&form);
    EXPECT_THROW(b->SetName("BTN1"), EComponentError);
    EXPECT_THROW(b->SetName("1btn"), EComponentError);
    b->SetName("btn2");
    EXPECT_EQ(form.FindComponent("Btn2"), b);
    EXPECT_EQ(form.FindComponent("none"), nullptr);
}

TEST(Component, StateLoadingUntilLoadedAndDestroyingDuringDestruction) {
    struct Watch : TComponent {
        using TComponent::TComponent;
        bool* destroyingSeen = nullptr;
        void Notification(TComponent* c, TOperation op) override {
            if (op == opRemove && destroyingSeen != nullptr) {
                *destroyingSeen = IsDestroying();
            }
            TComponent::Notification(c, op);
        }
    };
    bool seen = false;
    auto* form = new TComponent(nullptr);
    auto* w = new Watch(form);
    new TComponent(form);
    w->destroyingSeen = &seen;
    w->BeginLoading();
    EXPECT_TRUE(w->IsLoading());
    w->Loaded();
    EXPECT_FALSE(w->IsLoading());
    EXPECT_FALSE(w->IsDesigning());
    delete form; // the last one goes first, and w hears about it while its owner is destroying
    EXPECT_TRUE(seen);
}

TEST(Component, CheckedCastRaisesInvalidCast) {
    TComponent c(nullptr);
    TObject* o = &c;
    EXPECT_EQ(As<TComponent>(o), &c);
    TObject plain;
    try {
        As<TPersistent>(&plain);
        FAIL();
    } catch (const EInvalidCast& e) {
        EXPECT_STREQ(e.what(), "Invalid class typecast");
    }
}
