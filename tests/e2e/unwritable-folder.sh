#!/bin/sh
# unwritable-folder.sh setup|cleanup FOLDER: a folder in which nobody can
# create a file, for the test of a failed save. Root ignores permission bits,
# so the folder is made immutable where that is allowed.
set -u
folder=$2
case $1 in
setup)
  mkdir -p "$folder"
  chattr +i "$folder" 2>/dev/null || chmod a-w "$folder"
  if touch "$folder/probe" 2>/dev/null; then
    rm -f "$folder/probe"
    echo "cannot make $folder unwritable" >&2
    exit 1
  fi
  ;;
cleanup)
  chattr -i "$folder" 2>/dev/null
  chmod u+w "$folder" 2>/dev/null
  rmdir "$folder" 2>/dev/null
  exit 0
  ;;
esac
