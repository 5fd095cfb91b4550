// Selection filters: compiling the resbuf list into a tree of tests, and testing entities' groups against it.
#include "selection_filter.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <string>
#include <vector>

#include "acutads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "dbproxy.h"
#include "kelvora/float_compare.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/script_syntax.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

// Points of a filter equal those of an entity within this share of their size: values written
// and read back through text keep far more digits than that.
constexpr double kPointMatchRatio = 1e-10;
// The conditional operators nest no deeper than this; a deeper list is refused, not recursed.
constexpr int kMaxFilterDepth = 64;

// One value of an entity or of a filter item.
struct Value {
    enum class Kind { Text, Number, Point, Other };
    Kind kind = Kind::Other;
    std::wstring text;
    double number = 0.0;
    double point[3] = {0.0, 0.0, 0.0};
};

struct Group {
    int code = 0;
    Value value;
};

Value valueOf(const resbuf& rb)
{
    Value v;
    switch (resbufValueKind(rb.restype)) {
    case ResbufValueKind::kString:
        v.kind = Value::Kind::Text;
        v.text = rb.resval.rstring != nullptr ? rb.resval.rstring : L"";
        break;
    case ResbufValueKind::kShort:
        v.kind = Value::Kind::Number;
        v.number = rb.resval.rint;
        break;
    case ResbufValueKind::kLong:
        v.kind = Value::Kind::Number;
        v.number = rb.resval.rlong;
        break;
    case ResbufValueKind::kInt64:
        v.kind = Value::Kind::Number;
        v.number = static_cast<double>(rb.resval.mnInt64);
        break;
    case ResbufValueKind::kReal:
        v.kind = Value::Kind::Number;
        v.number = rb.resval.rreal;
        break;
    case ResbufValueKind::kPoint:
        v.kind = Value::Kind::Point;
        for (int i = 0; i < 3; ++i)
            v.point[i] = rb.resval.rpoint[i];
        break;
    default:
        break;
    }
    return v;
}

Group textGroup(int code, std::wstring text)
{
    Group g;
    g.code = code;
    g.value.kind = Value::Kind::Text;
    g.value.text = std::move(text);
    return g;
}

Group numberGroup(int code, double number)
{
    Group g;
    g.code = code;
    g.value.kind = Value::Kind::Number;
    g.value.number = number;
    return g;
}

std::wstring takeString(ACHAR* text)
{
    std::wstring copy = text != nullptr ? text : L"";
    acutDelString(text);
    return copy;
}

// The groups a filter can name, for one entity open for read.
std::vector<Group> groupsOf(const AcDbEntity& entity)
{
    std::vector<Group> groups;
    const AcRxClass* cls = entity.isA();
    std::wstring type = cls != nullptr ? cls->dxfName() : L"";
    if (const auto* proxy = AcDbProxyEntity::cast(&entity))
        type = proxy->originalDxfName();
    if (type.empty() && cls != nullptr)
        type = cls->name();
    groups.push_back(textGroup(0, type));
    AcDbHandle handle;
    entity.getAcDbHandle(handle);
    ACHAR hex[20] = L"";
    handle.getIntoAsciiBuffer(hex, 20);
    groups.push_back(textGroup(5, hex));
    groups.push_back(textGroup(8, takeString(entity.layer())));
    groups.push_back(textGroup(6, takeString(entity.linetype())));
    groups.push_back(numberGroup(62, entity.colorIndex()));
    AcDbDatabase* db = entity.database();
    bool paper = db != nullptr && entity.ownerId() == db->paperSpaceId();
    groups.push_back(numberGroup(67, paper ? 1 : 0));
    groups.push_back(textGroup(410, paper ? L"Layout1" : L"Model"));
    ItemListDxfFiler filer(db, AcDb::kFileFiler);
    if (entity.dxfOut(&filer) == Acad::eOk) {
        for (int i = 0; i < filer.itemCount(); ++i) {
            const resbuf* rb = filer.itemAt(i);
            if (rb != nullptr && rb->restype != 0 && rb->restype != 5)
                groups.push_back({rb->restype, valueOf(*rb)});
        }
    }
    return groups;
}

// ---- wildcards

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool isLetter(wchar_t c)
{
    return std::iswalpha(static_cast<wint_t>(c)) != 0;
}

// A "[...]" class at pattern[i] (just after "["): whether c is in it; `end` gets the index after "]".
bool classMatches(std::wstring_view pattern, std::size_t i, wchar_t c, std::size_t& end)
{
    bool negate = i < pattern.size() && pattern[i] == L'~';
    if (negate)
        ++i;
    bool in = false;
    bool first = true;
    while (i < pattern.size() && (pattern[i] != L']' || first)) {
        wchar_t lo = pattern[i];
        if (lo == L'`' && i + 1 < pattern.size())
            lo = pattern[++i];
        wchar_t hi = lo;
        if (i + 2 < pattern.size() && pattern[i + 1] == L'-' && pattern[i + 2] != L']') {
            hi = pattern[i + 2];
            i += 2;
        }
        if (foldCase(c) >= foldCase(lo) && foldCase(c) <= foldCase(hi))
            in = true;
        first = false;
        ++i;
    }
    end = i < pattern.size() ? i + 1 : i;
    return in != negate;
}

bool matchOne(std::wstring_view text, std::size_t t, std::wstring_view pattern, std::size_t p)
{
    while (p < pattern.size()) {
        wchar_t pc = pattern[p];
        if (pc == L'*') {
            for (std::size_t k = t; k <= text.size(); ++k) {
                if (matchOne(text, k, pattern, p + 1))
                    return true;
            }
            return false;
        }
        if (t >= text.size())
            return false;
        wchar_t c = text[t];
        switch (pc) {
        case L'?':
            break;
        case L'#':
            if (!isDigit(c))
                return false;
            break;
        case L'@':
            if (!isLetter(c))
                return false;
            break;
        case L'.':
            if (isDigit(c) || isLetter(c))
                return false;
            break;
        case L'[': {
            std::size_t end = p + 1;
            if (!classMatches(pattern, p + 1, c, end))
                return false;
            p = end;
            ++t;
            continue;
        }
        case L'`':
            if (p + 1 < pattern.size())
                pc = pattern[++p];
            [[fallthrough]];
        default:
            if (foldCase(c) != foldCase(pc))
                return false;
            break;
        }
        ++p;
        ++t;
    }
    return t == text.size();
}

// ---- relational tests

bool compareNumbers(std::wstring_view op, double a, double b, double tolerance)
{
    if (op == L"*")
        return true;
    bool equal = std::fabs(a - b) <= tolerance;
    if (op == L"=")
        return equal;
    if (op == L"!=" || op == L"/=" || op == L"<>")
        return !equal;
    if (op == L"<")
        return a < b && !equal;
    if (op == L"<=")
        return a < b || equal;
    if (op == L">")
        return a > b && !equal;
    if (op == L">=")
        return a > b || equal;
    long long ia = std::llround(a);
    long long ib = std::llround(b);
    if (op == L"&")
        return (ia & ib) != 0;
    if (op == L"&=")
        return (ia & ib) == ib;
    return false;
}

bool knownOperator(std::wstring_view op)
{
    for (std::wstring_view known : {L"*", L"=", L"!=", L"/=", L"<>", L"<", L"<=", L">", L">=", L"&", L"&="}) {
        if (op == known)
            return true;
    }
    return false;
}

// "op" or "op,op,op" for points: the operator of each coordinate.
bool pointOperators(std::wstring_view ops, std::wstring (&out)[3])
{
    std::size_t start = 0;
    int n = 0;
    while (n < 3) {
        std::size_t comma = ops.find(L',', start);
        out[n++] = std::wstring(trimBlanks(ops.substr(start, comma - start)));
        if (comma == std::wstring_view::npos)
            break;
        start = comma + 1;
    }
    if (n == 1)
        out[1] = out[2] = out[0];
    else if (n == 2)
        out[2] = L"*";
    return knownOperator(out[0]) && knownOperator(out[1]) && knownOperator(out[2]);
}

}  // namespace

struct SelectionFilter::Node {
    enum class Kind { And, Or, Xor, Not, Test, Xdata };
    Kind kind = Kind::And;
    std::vector<std::unique_ptr<Node>> children;
    int code = 0;
    std::wstring op = L"=";
    Value value;
    std::vector<std::wstring> apps;  // Xdata

    bool test(const std::vector<Group>& groups) const;
};

namespace {

bool valueMatches(const std::wstring& op, const Value& wanted, const Value& got)
{
    if (op == L"*")
        return true;
    switch (wanted.kind) {
    case Value::Kind::Text:
        if (got.kind != Value::Kind::Text)
            return false;
        if (op == L"=")
            return wildcardMatch(got.text, wanted.text);
        if (op == L"!=" || op == L"/=" || op == L"<>")
            return !wildcardMatch(got.text, wanted.text);
        {
            int order = compareNoCase(got.text, wanted.text);
            return compareNumbers(op, order, 0.0, 0.0);
        }
    case Value::Kind::Number:
        return got.kind == Value::Kind::Number && compareNumbers(op, got.number, wanted.number, 0.0);
    case Value::Kind::Point: {
        if (got.kind != Value::Kind::Point)
            return false;
        std::wstring ops[3];
        if (!pointOperators(op, ops))
            return false;
        for (int i = 0; i < 3; ++i) {
            double size = std::max({1.0, std::fabs(got.point[i]), std::fabs(wanted.point[i])});
            if (!compareNumbers(ops[i], got.point[i], wanted.point[i], size * kPointMatchRatio))
                return false;
        }
        return true;
    }
    case Value::Kind::Other:
        return false;
    }
    return false;
}

}  // namespace

bool SelectionFilter::Node::test(const std::vector<Group>& groups) const
{
    switch (kind) {
    case Kind::And:
        for (const auto& child : children) {
            if (!child->test(groups))
                return false;
        }
        return true;
    case Kind::Or:
        for (const auto& child : children) {
            if (child->test(groups))
                return true;
        }
        return false;
    case Kind::Xor:
        return children.size() == 2 && children[0]->test(groups) != children[1]->test(groups);
    case Kind::Not:
        return children.size() == 1 && !children[0]->test(groups);
    case Kind::Test:
        if (op == L"*")
            return true;
        for (const Group& g : groups) {
            if (g.code == code && valueMatches(op, value, g.value))
                return true;
        }
        return false;
    case Kind::Xdata:
        for (const std::wstring& app : apps) {
            bool found = false;
            for (const Group& g : groups) {
                if (g.code == 1001 && g.value.kind == Value::Kind::Text && wildcardMatch(g.value.text, app))
                    found = true;
            }
            if (!found)
                return false;
        }
        return true;
    }
    return false;
}

namespace {

using NodePtr = std::unique_ptr<SelectionFilter::Node>;

std::wstring upperText(const resbuf* rb)
{
    if (rb == nullptr || resbufValueKind(rb->restype) != ResbufValueKind::kString || rb->resval.rstring == nullptr)
        return {};
    return toUpper(trimBlanks(rb->resval.rstring));
}

struct Opening {
    const wchar_t* open;
    const wchar_t* close;
    SelectionFilter::Node::Kind kind;
};
constexpr Opening kOpenings[] = {
    {L"<AND", L"AND>", SelectionFilter::Node::Kind::And},
    {L"<OR", L"OR>", SelectionFilter::Node::Kind::Or},
    {L"<XOR", L"XOR>", SelectionFilter::Node::Kind::Xor},
    {L"<NOT", L"NOT>", SelectionFilter::Node::Kind::Not},
};

// Reads items until `closing` (empty: the end of the list) into `into`; false when malformed.
bool parseItems(const resbuf*& rb, std::wstring_view closing, std::vector<NodePtr>& into, int depth)
{
    if (depth > kMaxFilterDepth)
        return false;
    while (rb != nullptr) {
        if (rb->restype == -4) {
            std::wstring op = upperText(rb);
            rb = rb->rbnext;
            const Opening* opening = nullptr;
            for (const Opening& o : kOpenings) {
                if (op == o.open)
                    opening = &o;
            }
            if (opening != nullptr) {
                auto node = std::make_unique<SelectionFilter::Node>();
                node->kind = opening->kind;
                if (!parseItems(rb, opening->close, node->children, depth + 1))
                    return false;
                std::size_t n = node->children.size();
                if ((node->kind == SelectionFilter::Node::Kind::Xor && n != 2) ||
                    (node->kind == SelectionFilter::Node::Kind::Not && n != 1) || n == 0)
                    return false;
                into.push_back(std::move(node));
                continue;
            }
            bool isClosing = false;
            for (const Opening& o : kOpenings)
                isClosing = isClosing || op == o.close;
            if (isClosing)
                return op == closing;
            // A relational operator: it applies to the next item.
            if (rb == nullptr || rb->restype == -4 || rb->restype == -3)
                return false;
            auto test = std::make_unique<SelectionFilter::Node>();
            test->kind = SelectionFilter::Node::Kind::Test;
            test->op = op;
            test->code = rb->restype == RTDXF0 ? 0 : rb->restype;
            test->value = valueOf(*rb);
            std::wstring ops[3];
            bool valid = test->value.kind == Value::Kind::Point ? pointOperators(op, ops) : knownOperator(op);
            if (!valid)
                return false;
            into.push_back(std::move(test));
            rb = rb->rbnext;
            continue;
        }
        if (rb->restype == -3) {
            auto node = std::make_unique<SelectionFilter::Node>();
            node->kind = SelectionFilter::Node::Kind::Xdata;
            rb = rb->rbnext;
            while (rb != nullptr && rb->restype == 1001) {
                node->apps.push_back(rb->resval.rstring != nullptr ? rb->resval.rstring : L"*");
                rb = rb->rbnext;
            }
            into.push_back(std::move(node));
            continue;
        }
        auto test = std::make_unique<SelectionFilter::Node>();
        test->kind = SelectionFilter::Node::Kind::Test;
        test->code = rb->restype == RTDXF0 ? 0 : rb->restype;
        test->value = valueOf(*rb);
        if (test->value.kind == Value::Kind::Other)
            return false;
        into.push_back(std::move(test));
        rb = rb->rbnext;
    }
    return closing.empty();
}

}  // namespace

SelectionFilter::SelectionFilter(std::unique_ptr<Node> root) : m_root(std::move(root)) {}
SelectionFilter::~SelectionFilter() = default;

std::unique_ptr<SelectionFilter> SelectionFilter::compile(const resbuf* list)
{
    auto root = std::make_unique<Node>();
    root->kind = Node::Kind::And;
    const resbuf* rb = list;
    if (!parseItems(rb, L"", root->children, 0))
        return nullptr;
    return std::unique_ptr<SelectionFilter>(new SelectionFilter(std::move(root)));
}

bool SelectionFilter::matches(AcDbObjectId id) const
{
    if (m_root->children.empty())
        return true;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return false;
    std::vector<Group> groups = groupsOf(*entity);
    entity->close();
    return m_root->test(groups);
}

bool wildcardMatch(std::wstring_view text, std::wstring_view pattern)
{
    std::size_t start = 0;
    while (start <= pattern.size()) {
        // Alternatives are separated by commas that are not escaped.
        std::size_t end = start;
        while (end < pattern.size() && pattern[end] != L',') {
            if (pattern[end] == L'`' && end + 1 < pattern.size())
                ++end;
            ++end;
        }
        std::wstring_view alternative = pattern.substr(start, end - start);
        bool negate = !alternative.empty() && alternative.front() == L'~';
        if (negate)
            alternative.remove_prefix(1);
        if (matchOne(text, 0, alternative, 0) != negate)
            return true;
        if (end >= pattern.size())
            break;
        start = end + 1;
    }
    return false;
}

}  // namespace kelvora
