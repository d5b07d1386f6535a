#include "framework/design/DesignReader.h"

#include "framework/core/CodePage.h"
#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"
#include "framework/core/StrUtils.h"
#include "framework/core/TypInfo.h"

#include <vector>

namespace {

constexpr size_t MaxBinaryBytes = 64u * 1024 * 1024;
constexpr int MaxNesting = 64;

enum TTokenKind { tkEnd, tkIdent, tkInt, tkText, tkSymbol };

struct TToken {
    TTokenKind Kind = tkEnd;
    std::string Text;   // identifier, symbol, or the string's UTF-8 bytes
    int64_t Int = 0;
    int Line = 1;
};

bool IsIdentStart(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '_'; }
bool IsIdentChar(char C) { return IsIdentStart(C) || (C >= '0' && C <= '9') || C == '.'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }
int HexValue(char C)
{
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string& S, uint32_t Cp)
{
    if (Cp < 0x80) {
        S += char(Cp);
    } else if (Cp < 0x800) {
        S += char(0xC0 | (Cp >> 6));
        S += char(0x80 | (Cp & 0x3F));
    } else if (Cp < 0x10000) {
        S += char(0xE0 | (Cp >> 12));
        S += char(0x80 | ((Cp >> 6) & 0x3F));
        S += char(0x80 | (Cp & 0x3F));
    } else {
        S += char(0xF0 | (Cp >> 18));
        S += char(0x80 | ((Cp >> 12) & 0x3F));
        S += char(0x80 | ((Cp >> 6) & 0x3F));
        S += char(0x80 | (Cp & 0x3F));
    }
}

} // namespace

// Reads one design text into a root component. A friend of TComponent for the state bits.
class TDesignReader : private TFiler {
public:
    TDesignReader(const std::string& Text, TComponent* Root, const std::string& DesignName)
        : FText(Text), FRoot(Root), FDesign(DesignName)
    {
        if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0)
            FPos = 3;
    }

    void Read()
    {
        try {
            Next();
            ReadObject(nullptr, 0);
            if (FToken.Kind != tkEnd)
                Fail(FRoot->Name(), "text after the final end");
            ResolveFixups();
            for (TComponent* C : FLoaded)
                C->Loaded();
        } catch (...) {
            ClearStates();
            throw;
        }
        ClearStates();
    }

private:
    struct TFixup {
        TObject* Object;
        const TPropInfo* Prop;
        std::string Path;
        std::string Name;
        int Line;
    };

    void ClearStates()
    {
        for (TComponent* C : FLoaded)
            C->FComponentState = C->FComponentState - TComponentState{csReading, csLoading};
    }

    [[noreturn]] void Fail(const std::string& Where, const std::string& Problem, int Line = 0) const
    {
        throw EDesignError(FDesign + "(" + IntToStr(Line ? Line : FToken.Line) + "): " + Where +
                           ": " + Problem);
    }

    // --- Lexer ---
    char Peek(size_t Ahead = 0) const { return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : 0; }
    bool AtEnd() const { return FPos >= FText.size(); }

    void SkipBlanks()
    {
        while (!AtEnd()) {
            char C = FText[FPos];
            if (C == '\n')
                ++FLine;
            else if (!(C == ' ' || C == '\t' || C == '\r' || C == '\f' || C == '\v'))
                break;
            ++FPos;
        }
    }

    void Next()
    {
        SkipBlanks();
        FToken = TToken();
        FToken.Line = FLine;
        if (AtEnd())
            return;
        char C = FText[FPos];
        if (IsIdentStart(C)) {
            size_t Start = FPos;
            while (!AtEnd() && IsIdentChar(FText[FPos]))
                ++FPos;
            FToken.Kind = tkIdent;
            FToken.Text = FText.substr(Start, FPos - Start);
        } else if (IsDigit(C) || ((C == '-' || C == '+') && (IsDigit(Peek(1)) || Peek(1) == '$')) || C == '$') {
            size_t Start = FPos;
            ++FPos;
            while (!AtEnd() && (HexValue(FText[FPos]) >= 0 || FText[FPos] == '$'))
                ++FPos;
            FToken.Kind = tkInt;
            FToken.Text = FText.substr(Start, FPos - Start);
            if (!TryStrToInt64(FToken.Text, FToken.Int))
                Fail("", "bad number " + FToken.Text);
        } else if (C == '\'' || C == '#') {
            FToken.Kind = tkText;
            FToken.Text = ReadStringPieces();
        } else {
            FToken.Kind = tkSymbol;
            FToken.Text = std::string(1, C);
            ++FPos;
        }
    }

    // 'quoted' pieces ('' is one quote) and #nnn character codes, side by side.
    std::string ReadStringPieces()
    {
        std::string S;
        for (;;) {
            char C = Peek();
            if (C == '\'') {
                ++FPos;
                for (;;) {
                    if (AtEnd() || Peek() == '\n' || Peek() == '\r')
                        Fail("", "unterminated string");
                    if (Peek() == '\'') {
                        if (Peek(1) != '\'')
                            break;
                        ++FPos;
                    }
                    S += FText[FPos++];
                }
                ++FPos;
            } else if (C == '#') {
                ++FPos;
                uint32_t Cp = 0;
                size_t Digits = 0;
                for (; IsDigit(Peek()); ++FPos, ++Digits) {
                    Cp = Cp * 10 + uint32_t(Peek() - '0');
                    if (Cp > 0x10FFFF)
                        Fail("", "bad character code");
                }
                if (Digits == 0)
                    Fail("", "bad character code");
                AppendUtf8(S, Cp);
            } else {
                return S;
            }
        }
    }

    bool IsSymbol(const char* S) const { return FToken.Kind == tkSymbol && FToken.Text == S; }
    bool IsKeyword(const char* S) const { return FToken.Kind == tkIdent && SameText(FToken.Text, S); }

    void Expect(const char* Symbol, const std::string& Where)
    {
        if (!IsSymbol(Symbol))
            Fail(Where, std::string("'") + Symbol + "' expected");
        Next();
    }

    std::string ExpectIdent(const std::string& Where, const char* What)
    {
        if (FToken.Kind != tkIdent)
            Fail(Where, std::string(What) + " expected");
        std::string S = FToken.Text;
        Next();
        return S;
    }

    // --- Objects ---
    void ReadObject(TComponent* Parent, int Depth)
    {
        if (!IsKeyword("object"))
            Fail(Parent ? Parent->Name() : FDesign, "'object' expected");
        if (Depth > MaxNesting)
            Fail(Parent->Name(), "objects nested too deeply");
        Next();
        std::string Name = ExpectIdent("object", "component name");
        Expect(":", Name);
        int Line = FToken.Line;
        std::string ClassName = ExpectIdent(Name, "class name");

        TComponent* C = nullptr;
        if (!Parent) {
            if (!SameText(ClassName, FRoot->ClassName()))
                Fail(Name, "the design is for " + ClassName + ", not " + FRoot->ClassName(), Line);
            C = FRoot;
        } else {
            const TClassInfo* Info = FindClass(ClassName);
            if (!Info || !Info->Create)
                Fail(Name, "class " + ClassName + " not found", Line);
            try {
                C = Info->Create(FRoot);
            } catch (const Exception& E) {
                Fail(Name, E.Message(), Line);
            }
        }
        C->FComponentState = C->FComponentState + TComponentState{csLoading, csReading};
        FLoaded.push_back(C);
        try {
            C->SetName(Name);
            if (Parent)
                C->SetParentComponent(Parent);
        } catch (const Exception& E) {
            Fail(Name, E.Message(), Line);
        }

        while (!IsKeyword("end")) {
            if (FToken.Kind == tkEnd)
                Fail(Name, "'end' expected");
            if (IsKeyword("object"))
                ReadObject(C, Depth + 1);
            else
                ReadProperty(C);
        }
        Next();
        C->FComponentState.Exclude(csReading);
    }

    // --- Properties ---
    void ReadProperty(TComponent* C)
    {
        int Line = FToken.Line;
        std::string Path = ExpectIdent(C->Name(), "property name");
        Expect("=", Path);
        TObject* Target = C;
        const TPropInfo* P = ResolvePropPath(Target, Path);
        // "Lines.Strings" is the classic spelling of a string list's lines.
        if (!P && Path.size() > 8 && SameText(Path.substr(Path.size() - 8), ".Strings")) {
            Target = C;
            P = ResolvePropPath(Target, Path.substr(0, Path.size() - 8));
            if (P && P->Kind != tkStrings)
                P = nullptr;
        }
        if (IsSymbol("{")) {
            ReadBinary(C, Path, Line);
            return;
        }
        if (!P)
            Fail(Path, "unknown property", Line);
        try {
            AssignValue(Target, *P, Path, Line);
        } catch (const EDesignError&) {
            throw;
        } catch (const Exception& E) {
            Fail(Path, E.Message(), Line);
        }
    }

    std::string ReadText(const std::string& Path)
    {
        if (FToken.Kind != tkText)
            Fail(Path, "string expected");
        std::string S = FToken.Text;
        Next();
        while (IsSymbol("+")) {
            Next();
            if (FToken.Kind != tkText)
                Fail(Path, "string expected");
            S += FToken.Text;
            Next();
        }
        return Utf8ToGbk(S);
    }

    void AssignValue(TObject* Target, const TPropInfo& P, const std::string& Path, int Line)
    {
        const bool ReadOnly = !(P.WriteOrd || P.WriteStr || P.WriteComponent || P.BindMethod) &&
                              P.Kind != tkStrings;
        if (ReadOnly)
            Fail(Path, "property is read-only", Line);
        switch (P.Kind) {
        case tkInteger:
            if (FToken.Kind != tkInt)
                Fail(Path, "integer expected");
            P.WriteOrd(Target, FToken.Int);
            Next();
            return;
        case tkColor:
            if (FToken.Kind == tkInt) {
                if (FToken.Int < INT32_MIN || FToken.Int > int64_t(UINT32_MAX))
                    Fail(Path, "colour out of range");
                P.WriteOrd(Target, static_cast<int64_t>(static_cast<TColor>(FToken.Int)));
            } else {
                TColor Color;
                if (FToken.Kind != tkIdent || !IdentToColor(FToken.Text, Color))
                    Fail(Path, "colour expected");
                P.WriteOrd(Target, Color);
            }
            Next();
            return;
        case tkBoolean:
        case tkEnumeration: {
            int V = FToken.Kind == tkIdent ? P.Enum->IndexOf(FToken.Text) : -1;
            if (V < 0)
                Fail(Path, "invalid " + P.Enum->Name + " value " + FToken.Text);
            P.WriteOrd(Target, V);
            Next();
            return;
        }
        case tkSet:
            P.WriteOrd(Target, static_cast<int64_t>(ReadSet(*P.Enum, Path)));
            return;
        case tkString:
            P.WriteStr(Target, ReadText(Path));
            return;
        case tkStrings:
            ReadStringList(P.ReadObject(Target), Path);
            return;
        case tkComponent:
            FFixups.push_back({Target, &P, Path, ExpectIdent(Path, "component name"), Line});
            return;
        case tkMethod:
            BindHandler(Target, P, Path, ExpectIdent(Path, "handler name"), Line);
            return;
        case tkFont:
        case tkClass:
        case tkBinary:
            break;
        }
        Fail(Path, "property cannot be set directly", Line);
    }

    uint64_t ReadSet(const TEnumInfo& Enum, const std::string& Path)
    {
        Expect("[", Path);
        uint64_t Bits = 0;
        while (!IsSymbol("]")) {
            std::string Item = ExpectIdent(Path, "set member");
            int V = Enum.IndexOf(Item);
            if (V < 0 || V >= 64)
                Fail(Path, "invalid " + Enum.Name + " value " + Item);
            Bits |= uint64_t(1) << V;
            if (IsSymbol(","))
                Next();
            else if (!IsSymbol("]"))
                Fail(Path, "',' or ']' expected");
        }
        Next();
        return Bits;
    }

    void ReadStringList(TPersistent* Object, const std::string& Path)
    {
        auto* Lines = dynamic_cast<TStrings*>(Object);
        if (!Lines)
            Fail(Path, "property is not a string list");
        Expect("(", Path);
        Lines->BeginUpdate();
        Lines->Clear();
        while (!IsSymbol(")")) {
            if (FToken.Kind == tkEnd)
                Fail(Path, "')' expected");
            Lines->Add(ReadText(Path));
        }
        Lines->EndUpdate();
        Next();
    }

    void BindHandler(TObject* Target, const TPropInfo& P, const std::string& Path,
                     const std::string& Handler, int Line)
    {
        const THandlerInfo* H = FRoot->ClassInfo().FindHandler(Handler);
        if (!H)
            Fail(Path, FRoot->ClassName() + " has no handler " + Handler, Line);
        if (*H->Signature != *P.EventSignature)
            Fail(Path, "handler " + Handler + " does not fit the event", Line);
        P.BindMethod(Target, *H, FRoot);
    }

    void ResolveFixups()
    {
        for (const TFixup& F : FFixups) {
            TComponent* Ref = SameText(F.Name, FRoot->Name()) ? FRoot : FRoot->FindComponent(F.Name);
            if (!Ref)
                Fail(F.Path, "component " + F.Name + " not found", F.Line);
            if (!F.Prop->WriteComponent(F.Object, Ref))
                Fail(F.Path, F.Name + " is not a " + F.Prop->RefClass().Name, F.Line);
        }
    }

    // --- Binary blocks: hex digits between braces, handed to DefineProperties ---
    void ReadBinary(TComponent* C, const std::string& Path, int Line)
    {
        TPersistent* Owner = C;
        size_t Dot = Path.rfind('.');
        if (Dot != std::string::npos) {
            TObject* Holder = C;
            const TPropInfo* P = ResolvePropPath(Holder, Path.substr(0, Dot));
            Owner = P && P->ReadObject ? P->ReadObject(Holder) : nullptr;
            if (!Owner)
                Fail(Path, "unknown property", Line);
        }

        // FPos is just past '{'.
        std::vector<uint8_t> Bytes;
        int High = -1;
        for (;;) {
            if (AtEnd())
                Fail(Path, "'}' expected", Line);
            char Ch = FText[FPos++];
            if (Ch == '}')
                break;
            if (Ch == '\n') {
                ++FLine;
                continue;
            }
            if (Ch == ' ' || Ch == '\t' || Ch == '\r')
                continue;
            int V = HexValue(Ch);
            if (V < 0) {
                if (Ch == '@')
                    Fail(Path, "file reference left in the design (run designpack)", FLine);
                Fail(Path, "hex digit expected", FLine);
            }
            if (High < 0) {
                High = V;
                continue;
            }
            if (Bytes.size() >= MaxBinaryBytes)
                Fail(Path, "binary block larger than 64 MiB", Line);
            Bytes.push_back(static_cast<uint8_t>(High * 16 + V));
            High = -1;
        }
        if (High >= 0)
            Fail(Path, "odd number of hex digits", Line);

        FBinaryName = Dot == std::string::npos ? Path : Path.substr(Dot + 1);
        FBinaryFound = false;
        FBinaryData.Clear();
        FBinaryData.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
        FBinaryData.SetPosition(0);
        Bytes = std::vector<uint8_t>();
        try {
            Owner->DefineProperties(*this);
        } catch (const Exception& E) {
            Fail(Path, E.Message(), Line);
        }
        FBinaryData.Clear();
        if (!FBinaryFound)
            Fail(Path, "unknown property", Line);
        Next();
    }

    void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc,
                              bool) override
    {
        if (FBinaryFound || !SameText(Name, FBinaryName) || !ReadData)
            return;
        FBinaryFound = true;
        ReadData(FBinaryData);
    }

    const std::string& FText;
    TComponent* FRoot;
    std::string FDesign;
    size_t FPos = 0;
    int FLine = 1;
    TToken FToken;
    std::vector<TComponent*> FLoaded;   // creation order, root first
    std::vector<TFixup> FFixups;
    std::string FBinaryName;
    bool FBinaryFound = false;
    TMemoryStream FBinaryData;
};

void ReadComponentText(const std::string& Text, TComponent* Root, const std::string& DesignName)
{
    TDesignReader(Text, Root, DesignName).Read();
}
