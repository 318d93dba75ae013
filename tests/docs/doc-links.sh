#!/usr/bin/env bash
# The README and docs/ name files of the tree (links, pictures, scripts to run); a file
# moved or renamed leaves them pointing at nothing. Checks that each named file is there:
# every relative link target, and every path in backquotes under a folder of the tree
# that names a file by its extension or a folder by its trailing slash.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
missing=0

for doc in "$root"/README.md "$root"/docs/*.md; do
  dir=$(dirname "$doc")
  while read -r target; do
    [ -e "$dir/$target" ] || { echo "${doc#$root/}: link to missing $target"; missing=$((missing + 1)); }
  done < <(grep -oE '\]\([^)#]+' "$doc" | sed 's/^](//' | grep -vE '^[a-z]+:')
  while read -r path; do
    [ -e "$root/$path" ] || { echo "${doc#$root/}: names missing $path"; missing=$((missing + 1)); }
  done < <(grep -oE '`(\.ci|app|bench|controls|docs|engine|framework|res|scripts|tests)/[^` ]*' "$doc" |
           sed 's/^`//' | grep -E '(\.[a-z]+|/)$' | sort -u)
done

if [ "$missing" -gt 0 ]; then
  echo "doc links: $missing missing"
  exit 1
fi
echo "doc links: every named file is there"
