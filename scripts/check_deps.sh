#!/usr/bin/env bash
# Usage: scripts/check_deps.sh BUILD_DIR [DEPS_FILE]
#
# Checks, after a configure, that everything CMake found on this machine comes from a Debian
# package that scripts/deps.sh really installs. A machine that got a package by accident (a
# "recommended" package, one pulled in by another project) configures fine here and fails on
# a clean one; this check fails here instead.
#
# What is checked, from BUILD_DIR/CMakeCache.txt:
#   - every <Name>_DIR entry naming a CMake package configuration directory (one holding
#     <Name>Config.cmake or <name>-config.cmake), outside the project;
#   - every library pkg_check_modules found (pkgcfg_lib_<PREFIX>_<lib>:FILEPATH=...).
# The owner of each file (dpkg -S) must be in the dependency closure of KORVANE_PACKAGES
# without recommends and suggestions (apt-cache depends --recurse). DEPS_FILE (or the
# environment variable KORVANE_DEPS_FILE) names another file defining KORVANE_PACKAGES,
# scripts/deps.sh by default.
#
# Exit 0 with a one-line summary when all is in the closure, 1 naming each package (and the
# cache entry that needed it) when not, 2 on a usage error.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd -P)

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 BUILD_DIR [DEPS_FILE]" >&2
  exit 2
fi
build_dir=$1
deps_file=${2:-${KORVANE_DEPS_FILE:-$root/scripts/deps.sh}}
cache=$build_dir/CMakeCache.txt
if [ ! -f "$cache" ]; then
  echo "check_deps: $cache not found (configure first)" >&2
  exit 2
fi
if [ ! -f "$deps_file" ]; then
  echo "check_deps: $deps_file not found" >&2
  exit 2
fi

KORVANE_PACKAGES=()
# shellcheck disable=SC1090
source "$deps_file"
if [ ${#KORVANE_PACKAGES[@]} -eq 0 ]; then
  echo "check_deps: $deps_file defines no KORVANE_PACKAGES" >&2
  exit 2
fi

# The closure: every package apt-cache lists at the start of a line (virtual packages are
# shown as <name> and never own files). Alternatives ("A | B") are all followed, so either
# one counts as installed.
if ! depends=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
  --no-breaks --no-replaces --no-enhances "${KORVANE_PACKAGES[@]}"); then
  echo "check_deps: apt-cache cannot list the dependencies of KORVANE_PACKAGES" >&2
  exit 2
fi
declare -A closure=()
while IFS= read -r line; do
  case "$line" in
    " "* | "<"*) ;;
    *) closure[${line%%:*}]=1 ;;
  esac
done <<<"$depends"

build_real=$(realpath -m "$build_dir")
inside_project() {
  case "$1" in
    "$root" | "$root"/* | "$build_real" | "$build_real"/*) return 0 ;;
  esac
  return 1
}

# Cache entries to check: parallel arrays of the entry text and the file standing for it.
entries=()
files=()
while IFS= read -r line; do
  case "$line" in
    "#"* | "//"* | "") continue ;;
  esac
  key=${line%%=*}
  value=${line#*=}
  name=${key%%:*}
  type=${key#*:}
  case "$type" in INTERNAL | STATIC) continue ;; esac
  file=""
  if [[ "$name" == pkgcfg_lib_* ]]; then
    [ -f "$value" ] && file=$value
  elif [[ "$name" == *_DIR ]]; then
    [ -d "$value" ] || continue
    real=$(realpath "$value")
    inside_project "$real" && continue
    package=${name%_DIR}
    lower=$(echo "$package" | tr '[:upper:]' '[:lower:]')
    for candidate in "$value/${package}Config.cmake" "$value/${lower}-config.cmake"; do
      if [ -f "$candidate" ]; then
        file=$candidate
        break
      fi
    done
  fi
  [ -n "$file" ] || continue
  inside_project "$(realpath -m "$file")" && continue
  entries+=("$name=$value")
  files+=("$file")
done <"$cache"

if [ ${#files[@]} -eq 0 ]; then
  echo "check_deps: no package configuration or pkg-config library in $cache"
  exit 0
fi

# The names a file may be registered under with dpkg: as found, with the folder's symlinks
# resolved (merged /usr: /lib is /usr/lib), fully resolved, and its /usr twin.
candidates_of() {
  local f=$1 dir
  echo "$f"
  dir=$(realpath -m "$(dirname "$f")")
  echo "$dir/$(basename "$f")"
  realpath -m "$f"
  case "$f" in
    /usr/*) echo "${f#/usr}" ;;
    *) echo "/usr$f" ;;
  esac
}

declare -A candidates=()
all_candidates=()
for i in "${!files[@]}"; do
  list=$(candidates_of "${files[$i]}" | awk '!seen[$0]++')
  candidates[$i]=$list
  while IFS= read -r c; do all_candidates+=("$c"); done <<<"$list"
done

# One dpkg call for every name; unknown names only go to stderr.
declare -A owners=()
while IFS= read -r line; do
  case "$line" in "diversion by "*) continue ;; esac
  path=${line#*: }
  owners[$path]=${line%%: *}
done < <(dpkg -S "${all_candidates[@]}" 2>/dev/null || true)

failures=0
declare -A packages_seen=()
for i in "${!files[@]}"; do
  found=""
  while IFS= read -r c; do
    if [ -n "${owners[$c]:-}" ]; then
      found=${owners[$c]}
      break
    fi
  done <<<"${candidates[$i]}"
  if [ -z "$found" ]; then
    echo "check_deps: ${files[$i]} belongs to no Debian package (cache entry ${entries[$i]})" >&2
    failures=$((failures + 1))
    continue
  fi
  # Several owners (a shared file): one of them in the closure is enough.
  ok=""
  shown=""
  names=()
  IFS=', ' read -r -a names <<<"$found"
  for p in "${names[@]}"; do
    p=${p%%:*} # "libfoo-dev:amd64"
    packages_seen[$p]=1
    shown+="${shown:+, }$p"
    [ -n "${closure[$p]:-}" ] && ok=1
  done
  if [ -z "$ok" ]; then
    echo "check_deps: package $shown is not installed by ${deps_file#"$root"/}" \
      "(not in the dependency closure of KORVANE_PACKAGES without recommends);" \
      "needed by cache entry ${entries[$i]}" >&2
    failures=$((failures + 1))
  fi
done

if [ "$failures" -gt 0 ]; then
  echo "check_deps: $failures cache entry(ies) need files that KORVANE_PACKAGES does not install" >&2
  exit 1
fi
echo "check_deps: ${#files[@]} CMake/pkg-config entries from ${#packages_seen[@]} packages," \
  "all in the closure of ${#KORVANE_PACKAGES[@]} listed packages (${#closure[@]} with dependencies)"
