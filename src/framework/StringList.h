#pragma once
// Lists of strings. TStrings is the abstract list every string-holding control exposes (a combo
// box's or list box's items implement it over their native control); TStringList is the plain
// in-memory list.
//
// Text files are lists of lines: read as bytes, the text ends at the first NUL byte, a line ends
// at CR, LF or CR LF, and a final line break gives no empty last line; they are written with CR LF
// after every line.

#include "framework/Component.h"
#include "framework/Events.h"

#include <string>
#include <string_view>
#include <vector>

namespace vcl {

class TStream;

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string Strings(int index) const { return Get(index); }
    std::string operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

    virtual int Add(const std::string& s);
    int AddObject(const std::string& s, TObject* object);
    void InsertObject(int index, const std::string& s, TObject* object);
    void AddStrings(const TStrings& other);
    void Move(int from, int to);
    void Exchange(int a, int b);
    // First line equal to s without regard to case, or -1.
    virtual int IndexOf(const std::string& s) const;
    int IndexOfObject(const TObject* object) const;

    // Each line followed by CR LF.
    std::string Text() const;
    // Splits by the text-file rules (text ends at NUL; CR, LF or CR LF end a line).
    void SetText(std::string_view text);
    // "a,b,c"; a field with a space, comma or quote is quoted.
    std::string CommaText() const;

    // Lines of the form name=value.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(const std::string& name) const;
    void SetValue(const std::string& name, const std::string& value);
    int IndexOfName(const std::string& name) const;

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    // Nesting; change events are held back while the count is above zero.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void Assign(const TPersistent* source) override;
    bool Equals(const TStrings& other) const;

protected:
    // Called when the update count enters or leaves zero.
    virtual void SetUpdateState(bool updating) { (void)updating; }

private:
    int updateCount_ = 0;
};

// Splits bytes into lines by the text-file rules.
std::vector<std::string> SplitTextLines(std::string_view text);

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return int(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    int IndexOf(const std::string& s) const override;

    // Sorted lists keep their lines in CompareText order; Add places a line by binary search.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    void Sort();
    // With Sorted, a search for s: true and its index when present, else where it would go.
    bool Find(const std::string& s, int& index) const;

    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool on) { caseSensitive_ = on; }
    // The list owns its objects and deletes them when lines go.
    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool on) { ownsObjects_ = on; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    void Changing();
    void Changed();

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void CheckIndex(int index, bool allowEnd = false) const;
    int Compare(const std::string& a, const std::string& b) const;

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
};

} // namespace vcl
