// TStrings: an ordered list of text lines, each with an optional object; TStringList keeps
// them in memory. Controls offer their own TStrings over a window's lines or items.
#pragma once

#include "framework/core/Delegate.h"
#include "framework/core/Persistent.h"

#include <string>
#include <vector>

class TStream;

class TStrings : public TPersistent {
    PANTREL_CLASS(TStrings, TPersistent)
    virtual int Count() const = 0;
    virtual std::string Get(int Index) const = 0;
    virtual void Put(int Index, const std::string& S);    // replaces the text, keeps the object
    virtual TObject* Objects(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    std::string Strings(int Index) const { return Get(Index); }
    std::string operator[](int Index) const { return Get(Index); }
    int Add(const std::string& S);                         // returns the new line's index
    int AddObject(const std::string& S, TObject* AObject);
    void InsertObject(int Index, const std::string& S, TObject* AObject);
    void AddStrings(const TStrings& Source);
    void Assign(const TPersistent& Source) override;
    bool Equals(const TStrings& Other) const;              // same lines, case-sensitive

    // Ignoring ASCII case, unless the list says otherwise (TStringList::CaseSensitive).
    virtual int IndexOf(const std::string& S) const;
    int IndexOfName(const std::string& Name) const;
    int IndexOfObject(const TObject* AObject) const;

    // Every line followed by CR LF.
    std::string Text() const;
    // Splits on CR LF, lone CR and lone LF; a final line break adds no empty line.
    virtual void SetText(const std::string& Value);

    // "name=value" lines.
    std::string Names(int Index) const;
    std::string ValueFromIndex(int Index) const;
    std::string Values(const std::string& Name) const;
    void SetValue(const std::string& Name, const std::string& Value);   // "" deletes the line

    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;

    // Changes between BeginUpdate and the matching EndUpdate fire one OnChange at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual bool CompareStrings(const std::string& A, const std::string& B) const;
    virtual void SetUpdateState(bool Updating);
    void Changing();
    void Changed();
    // Raises EStringListError "List index out of bounds (n)" unless 0 <= Index < Limit.
    static void CheckIndex(int Index, int Limit);

private:
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};

class TStringList : public TStrings {
    PANTREL_CLASS(TStringList, TStrings)
    TStringList() = default;
    TStringList(std::initializer_list<std::string> Lines);
    TStringList(const TStringList& Other);
    TStringList& operator=(const TStringList& Other);

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* Objects(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2);

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }

protected:
    bool CompareStrings(const std::string& A, const std::string& B) const override;

private:
    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
    };
    std::vector<TItem> FItems;
    bool FCaseSensitive = false;
};
