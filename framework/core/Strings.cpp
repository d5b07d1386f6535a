#include "framework/core/Strings.h"

#include "framework/core/Component.h"
#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/core/StrUtils.h"

PANTREL_REGISTER(TStrings, TPersistent)
PANTREL_REGISTER(TStringList, TStrings)

void TStrings::CheckIndex(int Index, int Limit)
{
    if (Index < 0 || Index >= Limit)
        throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
}

void TStrings::Put(int Index, const std::string& S)
{
    TObject* Object = Objects(Index);
    BeginUpdate();
    Delete(Index);
    InsertObject(Index, S, Object);
    EndUpdate();
}

TObject* TStrings::Objects(int Index) const
{
    CheckIndex(Index, Count());
    return nullptr;
}

void TStrings::PutObject(int Index, TObject*) { CheckIndex(Index, Count()); }

int TStrings::Add(const std::string& S)
{
    int Index = Count();
    Insert(Index, S);
    return Index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject)
{
    int Index = Add(S);
    PutObject(Index, AObject);
    return Index;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Source)
{
    BeginUpdate();
    for (int I = 0; I < Source.Count(); ++I)
        AddObject(Source.Get(I), Source.Objects(I));
    EndUpdate();
}

void TStrings::Assign(const TPersistent& Source)
{
    if (auto* S = dynamic_cast<const TStrings*>(&Source)) {
        if (S == this)
            return;
        BeginUpdate();
        Clear();
        AddStrings(*S);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings& Other) const
{
    if (Count() != Other.Count())
        return false;
    for (int I = 0; I < Count(); ++I)
        if (Get(I) != Other.Get(I))
            return false;
    return true;
}

bool TStrings::CompareStrings(const std::string& A, const std::string& B) const
{
    return SameText(A, B);
}

int TStrings::IndexOf(const std::string& S) const
{
    for (int I = 0; I < Count(); ++I)
        if (CompareStrings(Get(I), S))
            return I;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const
{
    for (int I = 0; I < Count(); ++I) {
        std::string Line = Get(I);
        size_t Eq = Line.find('=');
        if (Eq != std::string::npos && CompareStrings(Line.substr(0, Eq), Name))
            return I;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const
{
    for (int I = 0; I < Count(); ++I)
        if (Objects(I) == AObject)
            return I;
    return -1;
}

std::string TStrings::Text() const
{
    std::string Result;
    for (int I = 0; I < Count(); ++I) {
        Result += Get(I);
        Result += "\r\n";
    }
    return Result;
}

void TStrings::SetText(const std::string& Value)
{
    BeginUpdate();
    Clear();
    size_t Start = 0;
    while (Start < Value.size()) {
        size_t End = Value.find_first_of("\r\n", Start);
        if (End == std::string::npos) {
            Add(Value.substr(Start));
            break;
        }
        Add(Value.substr(Start, End - Start));
        Start = End + 1;
        if (Value[End] == '\r' && Start < Value.size() && Value[Start] == '\n')
            ++Start;
    }
    EndUpdate();
}

std::string TStrings::Names(int Index) const
{
    std::string Line = Get(Index);
    size_t Eq = Line.find('=');
    return Eq == std::string::npos ? std::string() : Line.substr(0, Eq);
}

std::string TStrings::ValueFromIndex(int Index) const
{
    std::string Line = Get(Index);
    size_t Eq = Line.find('=');
    return Eq == std::string::npos ? std::string() : Line.substr(Eq + 1);
}

std::string TStrings::Values(const std::string& Name) const
{
    int I = IndexOfName(Name);
    return I < 0 ? std::string() : ValueFromIndex(I);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value)
{
    int I = IndexOfName(Name);
    if (Value.empty()) {
        if (I >= 0)
            Delete(I);
    } else if (I < 0) {
        Add(Name + "=" + Value);
    } else {
        Put(I, Name + "=" + Value);
    }
}

void TStrings::LoadFromStream(TStream& Stream)
{
    int64_t Left = Stream.Size() - Stream.Position();
    std::string Data(static_cast<size_t>(Left > 0 ? Left : 0), '\0');
    Stream.ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
    SetText(Data);
}

void TStrings::SaveToStream(TStream& Stream) const
{
    std::string Data = Text();
    Stream.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
}

void TStrings::LoadFromFile(const std::string& FileName)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(Stream);
}

void TStrings::SaveToFile(const std::string& FileName) const
{
    TFileStream Stream(FileName, fmCreate);
    SaveToStream(Stream);
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0) {
        FChangedWhileUpdating = false;
        SetUpdateState(true);
    }
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0) {
        SetUpdateState(false);
        if (FChangedWhileUpdating) {
            FChangedWhileUpdating = false;
            OnChange(this);
        }
    }
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Changing()
{
    if (FUpdateCount == 0)
        OnChanging(this);
}

void TStrings::Changed()
{
    if (FUpdateCount == 0)
        OnChange(this);
    else
        FChangedWhileUpdating = true;
}

// --- TStringList ---

TStringList::TStringList(std::initializer_list<std::string> Lines)
{
    for (const std::string& S : Lines)
        FItems.push_back({S, nullptr});
}

TStringList::TStringList(const TStringList& Other)
    : TStrings(), FItems(Other.FItems), FCaseSensitive(Other.FCaseSensitive)
{
}

TStringList& TStringList::operator=(const TStringList& Other)
{
    if (this != &Other) {
        Assign(Other);
        FCaseSensitive = Other.FCaseSensitive;
    }
    return *this;
}

std::string TStringList::Get(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[static_cast<size_t>(Index)].Text;
}

void TStringList::Put(int Index, const std::string& S)
{
    CheckIndex(Index, Count());
    Changing();
    FItems[static_cast<size_t>(Index)].Text = S;
    Changed();
}

TObject* TStringList::Objects(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[static_cast<size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index, Count());
    Changing();
    FItems[static_cast<size_t>(Index)].Object = AObject;
    Changed();
}

void TStringList::Insert(int Index, const std::string& S)
{
    CheckIndex(Index, Count() + 1);
    Changing();
    FItems.insert(FItems.begin() + Index, TItem{S, nullptr});
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index, Count());
    Changing();
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, Count());
    CheckIndex(Index2, Count());
    Changing();
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
    Changed();
}

bool TStringList::CompareStrings(const std::string& A, const std::string& B) const
{
    return FCaseSensitive ? A == B : SameText(A, B);
}
