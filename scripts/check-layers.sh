#!/usr/bin/env bash
# Fails when a source includes a header of a folder above its own. The folders of src/
# include only downwards: core <- link <- program <- connection, graphs <- pages <- app;
# connection and graphs stand side by side and use neither each other. sim/ and tools/
# use the libraries but never app/.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
    case $1 in
        core) echo 0 ;; link) echo 1 ;; program) echo 2 ;;
        connection | graphs) echo 3 ;; pages) echo 4 ;; app) echo 5 ;;
        *) echo -1 ;;
    esac
}

status=0
while IFS= read -r line; do
    file=${line%%:*}
    header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
    target=${header%%/*}
    [ "$target" = "$header" ] && continue # a header beside the file
    to=$(rank "$target")
    [ "$to" -lt 0 ] && continue # not a folder of src/
    case $file in
        src/*)
            from_folder=$(cut -d/ -f2 <<<"$file")
            from=$(rank "$from_folder")
            if [ "$target" != "$from_folder" ] && [ "$to" -ge "$from" ]; then
                echo "$file includes $header: $from_folder may not use $target"
                status=1
            fi
            ;;
        sim/* | tools/*)
            if [ "$target" = app ]; then
                echo "$file includes $header: sim/ and tools/ never use app/"
                status=1
            fi
            ;;
    esac
done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "' src sim tools)
exit $status
