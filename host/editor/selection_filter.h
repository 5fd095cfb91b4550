// Selection filters: the resbuf lists of acedSSGet, with relational tests and the -4 conditional groups.
#pragma once

#include <memory>
#include <string_view>

#include "adsdef.h"
#include "dbid.h"

namespace kelvora {

// A filter list compiled once and tested on each candidate. Items at the top level must all match.
//   (code value)           some group of the entity with that code matches: texts as wildcard
//                          patterns (acutWcMatch rules, any case; "A,B" is either), numbers equal,
//                          points equal within 1e-10 of their size
//   (-4 "op") (code value) a relational test: "*" "=" "!=" "/=" "<>" "<" "<=" ">" ">=" "&" "&=",
//                          for points one operator per coordinate: ">,>,*"
//   (-4 "<AND") ... (-4 "AND>")   and "<OR" "OR>", "<XOR" "XOR>" (two operands), "<NOT" "NOT>" (one)
//   (-3 (1001 . "APP") ...)       the entity has extended data of each application named
// Code 0 (or RTDXF0) is the entity's DXF type, 8 its layer, 6 its linetype, 62 its colour index,
// 67 its space (1 paper), 410 its layout, 5 its handle, 2 a block reference's block name; other codes
// are matched against the groups the entity writes in DXF.
class SelectionFilter {
public:
    ~SelectionFilter();
    SelectionFilter(const SelectionFilter&) = delete;
    SelectionFilter& operator=(const SelectionFilter&) = delete;

    // Nothing for a malformed list (unbalanced or unknown conditionals, a wrong operand count, an
    // unknown operator). A null list makes a filter that takes everything.
    static std::unique_ptr<SelectionFilter> compile(const resbuf* list);

    // Whether the entity passes. An entity that cannot be opened for read does not.
    bool matches(AcDbObjectId entity) const;

    struct Node;

private:
    explicit SelectionFilter(std::unique_ptr<Node> root);
    std::unique_ptr<Node> m_root;
};

// Wildcard matching of the host (acutWcMatch): "#" a digit, "@" a letter, "." a character that is
// neither, "*" any run, "?" any character, "~" at the start negates, "[...]" a class ("[~...]" its
// complement), "`" takes the next character literally, "," separates alternatives. Any case.
bool wildcardMatch(std::wstring_view text, std::wstring_view pattern);

}  // namespace kelvora
