#include "framework/StringList.h"

#include "framework/Stream.h"
#include "framework/TextUtils.h"

#include <algorithm>

namespace vcl {

std::vector<std::string> SplitTextLines(std::string_view text) {
    auto nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

// --- TStrings ---

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    EndUpdate();
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i) {
        AddObject(other.Get(i), other.GetObject(i));
    }
    EndUpdate();
}

void TStrings::Move(int from, int to) {
    if (from == to) {
        return;
    }
    BeginUpdate();
    std::string s = Get(from);
    TObject* object = GetObject(from);
    Delete(from);
    InsertObject(to, s, object);
    EndUpdate();
}

void TStrings::Exchange(int a, int b) {
    BeginUpdate();
    std::string sa = Get(a);
    TObject* oa = GetObject(a);
    Put(a, Get(b));
    PutObject(a, GetObject(b));
    Put(b, sa);
    PutObject(b, oa);
    EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(Get(i), s)) {
            return i;
        }
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i) {
        if (GetObject(i) == object) {
            return i;
        }
    }
    return -1;
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    for (auto& line : SplitTextLines(text)) {
        Add(line);
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0) {
            out += ',';
        }
        std::string s = Get(i);
        bool quote = s.empty() ? false : s.find_first_of(" ,\"\t") != std::string::npos;
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            out += c;
            if (c == '"') {
                out += '"';
            }
        }
        out += '"';
    }
    return out;
}

std::string TStrings::Names(int index) const {
    std::string s = Get(index);
    auto eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string s = Get(index);
    auto eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        auto eq = s.find('=');
        if (eq != std::string::npos && SameText(std::string_view(s).substr(0, eq), name)) {
            return i;
        }
    }
    return -1;
}

std::string TStrings::Values(const std::string& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) {
            Delete(i);
        }
        return;
    }
    if (i < 0) {
        Add(name + "=" + value);
    } else {
        Put(i, name + "=" + value);
    }
}

void TStrings::LoadFromStream(TStream& stream) {
    std::int64_t size = stream.Size() - stream.Position();
    std::string bytes(std::size_t(std::max<std::int64_t>(0, size)), '\0');
    stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    SetText(bytes);
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string text = Text();
    stream.WriteBuffer(text.data(), std::int64_t(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) {
        SetUpdateState(true);
    }
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) {
        SetUpdateState(false);
    }
}

void TStrings::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other == this) {
            return;
        }
        BeginUpdate();
        Clear();
        AddStrings(*other);
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count()) {
        return false;
    }
    for (int i = 0; i < Count(); ++i) {
        if (Get(i) != other.Get(i)) {
            return false;
        }
    }
    return true;
}

// --- TStringList ---

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    Clear();
}

void TStringList::CheckIndex(int index, bool allowEnd) const {
    int limit = Count() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit) {
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    }
}

int TStringList::Compare(const std::string& a, const std::string& b) const {
    return caseSensitive_ ? a.compare(b) : CompareText(a, b);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
    if (sorted_) {
        throw EStringListError("Operation not allowed on sorted list");
    }
    CheckIndex(index);
    Changing();
    items_[std::size_t(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    Item& item = items_[std::size_t(index)];
    if (ownsObjects_ && item.object != object) {
        delete item.object;
    }
    item.object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (sorted_) {
        throw EStringListError("Operation not allowed on sorted list");
    }
    CheckIndex(index, true);
    Changing();
    items_.insert(items_.begin() + index, Item{s, nullptr});
    Changed();
}

int TStringList::Add(const std::string& s) {
    if (!sorted_) {
        int index = Count();
        Insert(index, s);
        return index;
    }
    int index = 0;
    Find(s, index);
    Changing();
    items_.insert(items_.begin() + index, Item{s, nullptr});
    Changed();
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    TObject* object = items_[std::size_t(index)].object;
    items_.erase(items_.begin() + index);
    if (ownsObjects_) {
        delete object;
    }
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) {
        return;
    }
    Changing();
    std::vector<Item> old;
    old.swap(items_);
    if (ownsObjects_) {
        for (auto& item : old) {
            delete item.object;
        }
    }
    Changed();
}

int TStringList::IndexOf(const std::string& s) const {
    if (!sorted_) {
        for (int i = 0; i < Count(); ++i) {
            if (Compare(items_[std::size_t(i)].text, s) == 0) {
                return i;
            }
        }
        return -1;
    }
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
    int lo = 0;
    int hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = Compare(items_[std::size_t(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) {
        return;
    }
    if (sorted) {
        Sort();
    }
    sorted_ = sorted;
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        if (OnChanging) {
            OnChanging(this);
        }
    } else if (OnChange) {
        OnChange(this);
    }
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) {
        OnChanging(this);
    }
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) {
        OnChange(this);
    }
}

} // namespace vcl
