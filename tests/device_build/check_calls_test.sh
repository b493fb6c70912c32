#!/usr/bin/env bash
# The device call check passes code that calls only listed functions, the functions of
# another library, the standard C++ library and the compiler's helpers, and fails, naming
# the object and the function, code that imports or calls anything else
# (GetPrivateProfileStringW, a C runtime function the list lacks); for the 64-bit and the
# 32-bit compiler's symbol names.
#   check_calls_test.sh CHECK CXX NM [CXX32 NM32]
set -euo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'coredll.dll CreateFileW\ncoredll.dll wcslen  # comment\n%s\n' 'coredll.dll memcpy' 'coredll.dll memmove' 'coredll.dll memset' 'coredll.dll memcmp' >"$work/list.txt"
cat >"$work/lawful.cpp" <<'CODE'
#include <windows.h>
#include <cwchar>
#include <string>
int Elsewhere(const wchar_t*);
unsigned long long Half(unsigned long long value, unsigned long long by) { return value / by; }  // libgcc on x86
int Lawful(const wchar_t* name) {
    HANDLE file = CreateFileW(name, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return std::wstring(name).size() + wcslen(name) + Elsewhere(name) + (file != nullptr);
}
CODE
printf 'int Elsewhere(const wchar_t* name) { return name != nullptr; }\n' >"$work/elsewhere.cpp"
cat >"$work/profile.cpp" <<'CODE'
#include <windows.h>
#include <cwchar>
int Unlawful(const wchar_t* name, wchar_t* out) {
    wcscat(out, name);
    return GetPrivateProfileStringW(L"s", L"k", L"", out, 8, name);
}
CODE
run() {  # CXX NM PREFIX
  local cxx=$1 nm=$2 prefix=$3 out
  for source in lawful elsewhere profile; do
    "$cxx" -std=c++17 -DUNICODE -O2 -c "$work/$source.cpp" -o "$work/$source.o"
  done
  out=$(bash "$check" "$nm" "$work/list.txt" "$prefix" "$work/lawful.o" -- "$work/elsewhere.o") ||
    { printf 'lawful code refused:\n%s\n' "$out" >&2; exit 1; }
  if out=$(bash "$check" "$nm" "$work/list.txt" "$prefix" "$work/lawful.o" "$work/profile.o" -- "$work/elsewhere.o" 2>&1); then
    echo "the check passed GetPrivateProfileStringW ($cxx)" >&2; exit 1
  fi
  for line in "$work/profile.o: GetPrivateProfileStringW" "$work/profile.o: wcscat"; do
    grep -qF "$line" <<<"$out" || { printf 'missing "%s" in:\n%s\n' "$line" "$out" >&2; exit 1; }
  done
  [ "$(grep -c '\.o: ' <<<"$out")" -eq 2 ] || { printf 'unexpected report:\n%s\n' "$out" >&2; exit 1; }
}
run "$2" "$3" ""
if [ $# -ge 5 ]; then run "$4" "$5" _; fi
echo "check_calls_test: passed"
