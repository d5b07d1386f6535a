#include "tests/core/Sample.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Logs its notifications and its destruction.
class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, std::vector<std::string>& Log, const char* AName)
        : TComponent(AOwner), FLog(Log)
    {
        SetName(AName);
    }
    ~TProbe() override { FLog.push_back("free " + Name()); }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (AComponent != this && Operation == opRemove)
            FLog.push_back(Name() + " hears " + (AComponent == Watched ? "watched" : "other"));
    }
    TComponent* Watched = nullptr;

private:
    std::vector<std::string>& FLog;
};

} // namespace

TEST(Component, OwnerFreesLastCreatedFirstAndNotifiesTheRest)
{
    std::vector<std::string> Log;
    auto* Owner = new TComponent(nullptr);
    auto* A = new TProbe(Owner, Log, "A");
    new TProbe(Owner, Log, "B");
    auto* C = new TProbe(Owner, Log, "C");
    A->Watched = C;
    EXPECT_EQ(Owner->FindComponent("c"), C);
    EXPECT_EQ(C->ComponentIndex(), 2);
    delete Owner;
    // A component does not log news about itself.
    EXPECT_EQ(Log, (std::vector<std::string>{"B hears other", "A hears watched", "free C",
                                             "A hears other", "free B", "free A"}));
}

TEST(Component, DeletingAnOwnedComponentLeavesItsOwner)
{
    TComponent Owner(nullptr);
    auto* A = new TComponent(&Owner);
    auto* B = new TComponent(&Owner);
    delete A;
    ASSERT_EQ(Owner.ComponentCount(), 1);
    EXPECT_EQ(Owner.Components(0), B);
    EXPECT_THROW(Owner.Components(1), EListError);

    TComponent Other(nullptr);
    Other.InsertComponent(B);
    EXPECT_EQ(B->Owner(), &Other);
    EXPECT_EQ(Owner.ComponentCount(), 0);
}

TEST(Component, FreeNotificationWorksAcrossOwnersBothWays)
{
    std::vector<std::string> Log;
    TComponent Form1(nullptr), Form2(nullptr);
    auto* Watcher = new TProbe(&Form1, Log, "Watcher");
    auto* Target = new TProbe(&Form2, Log, "Target");
    Watcher->Watched = Target;
    Watcher->FreeNotification(Target);
    delete Target;
    EXPECT_EQ(Log, (std::vector<std::string>{"free Target", "Watcher hears watched"}));

    // The other way round: the watcher goes first, and the target no longer points at it.
    Log.clear();
    Watcher->Watched = nullptr;   // its memory may come back as Watcher2
    auto* Target2 = new TProbe(&Form2, Log, "Target2");
    auto* Watcher2 = new TProbe(&Form1, Log, "Watcher2");
    Watcher2->FreeNotification(Target2);
    delete Watcher2;
    delete Target2;   // must not notify the freed watcher
    EXPECT_EQ(Log, (std::vector<std::string>{"free Watcher2", "Target2 hears other",
                                             "Watcher hears other", "free Target2"}));
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner)
{
    TComponent Owner(nullptr);
    auto* A = new TComponent(&Owner);
    auto* B = new TComponent(&Owner);
    A->SetName("Button1");
    EXPECT_THROW(B->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(B->SetName("1abc"), EComponentError);
    EXPECT_THROW(B->SetName("a b"), EComponentError);
    B->SetName("Button2");
    B->SetName("");
    EXPECT_EQ(Owner.FindComponent("button1"), A);
    EXPECT_EQ(Owner.FindComponent(""), nullptr);
}

TEST(Component, ClassRegistryCreatesByName)
{
    TComponent Owner(nullptr);
    TComponent* C = CreateComponent("tsamplecontrol", &Owner);
    EXPECT_EQ(C->ClassName(), "TSampleControl");
    EXPECT_EQ(C->Owner(), &Owner);
    EXPECT_TRUE(C->InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_FALSE(C->InheritsFrom(TSampleForm::StaticClassInfo()));
    EXPECT_THROW(CreateComponent("TStrings", &Owner), EComponentError);   // abstract
    EXPECT_THROW(CreateComponent("TNothing", &Owner), EComponentError);
    EXPECT_EQ(FindClass("TStringList")->Parent, &TStrings::StaticClassInfo());
}

namespace {
struct TCounter {
    int Count = 0;
    int Add(int N) { return Count += N; }
    int Peek(int N) const { return Count + N; }
};
int Twice(int N) { return 2 * N; }
} // namespace

TEST(Delegate, EmptyBoundCopiedAndCompared)
{
    TDelegate<int(int)> Empty;
    EXPECT_FALSE(Empty.Assigned());
    EXPECT_EQ(Empty(5), 0);

    TCounter A, B;
    TDelegate<int(int)> ToA(&A, &TCounter::Add);
    TDelegate<int(int)> Saved = ToA;
    EXPECT_EQ(Saved(3), 3);
    EXPECT_EQ(A.Count, 3);
    EXPECT_TRUE(Saved == ToA);
    EXPECT_FALSE(ToA == TDelegate<int(int)>(&B, &TCounter::Add));
    EXPECT_FALSE(ToA == TDelegate<int(int)>(&A, &TCounter::Peek));
    EXPECT_EQ(TDelegate<int(int)>(&A, &TCounter::Peek)(1), 4);
    EXPECT_EQ(TDelegate<int(int)>(&Twice)(21), 42);

    // Replace and give back, as a window procedure hook does.
    TDelegate<int(int)> Current = ToA;
    TDelegate<int(int)> Old = Current;
    Current = TDelegate<int(int)>(&Twice);
    EXPECT_EQ(Current(1), 2);
    Current = Old;
    EXPECT_TRUE(Current == ToA);
}
