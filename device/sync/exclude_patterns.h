#pragma once
#include <string>
#include <vector>

// The files and folders a set leaves out of its runs, as the user writes them: patterns
// separated by ';' ("*.tmp;Thumbs.db;~*"), blanks around each ignored. '*' stands for any
// run of characters and '?' for one, letters match without case, as the platform matches
// names. A pattern without '\' is matched against the name of every entry at any depth; a
// pattern holding '\' against the entry's path below the run folder ("Photos\*.raw"), where
// '*' and '?' stay within one name; one that ends with '\' matches folders only.
enum class PatternFault {
    None,
    Empty,           // nothing between two ';' (or before or after one)
    OnlySeparators,  // nothing but '\'
    EmptyPart,       // "a\\b": two separators together
    DotPart,         // a "." or ".." part: it would name no entry of the folders
    TooLong,         // more than kPatternListChars: a set file's field may have cut it
};

// The longest list a set holds. A set file's field holds one unit more, so a longer list read
// from a file arrives cut, one unit over this, and is refused rather than run with patterns
// cut short (which would leave in, and could delete, what the user meant to leave out).
constexpr size_t kPatternListChars = 258;

// Why the list cannot be used (the first bad pattern in `bad`), or PatternFault::None.
PatternFault CheckPatternList(const wchar_t* list, std::wstring* bad = nullptr);
// The message for a list CheckPatternList refuses; empty for a list it takes.
std::wstring PatternListProblem(const wchar_t* list);

class ExcludePatterns {
public:
    ExcludePatterns() = default;
    // A list CheckPatternList refuses excludes nothing: it is never run with.
    explicit ExcludePatterns(const wchar_t* list);

    bool Empty() const { return names_.empty() && paths_.empty(); }
    // The entry `name` of the folder at `folderBelow` (its path below the run folder, empty
    // for the run folder itself).
    bool Excludes(const wchar_t* folderBelow, const wchar_t* name, bool folder) const;

private:
    struct Pattern {
        std::wstring text;  // capitals, without a leading or trailing '\'
        bool foldersOnly;
    };
    std::vector<Pattern> names_;  // matched against the name
    std::vector<Pattern> paths_;  // matched against the path below the run folder
};
