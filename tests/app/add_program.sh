#!/usr/bin/env bash
# Adds a program to the panel of a portable folder the way a drop onto the panel does: the
# program's first icon group as tubiao\BASE.ICO, a byte copy of it as tubiao\BASE.jpg, and one
# appended entry (the sequence text, the program's path, the image file's path). The Windows
# tools exeicon.exe and qdb.exe do the work under Wine, in the current Wine prefix.
#
# Usage: add_program.sh FOLDER PROGRAM SEQUENCE TOOLS
#   FOLDER    the portable folder (a Linux path) holding tubiao/wenjia.qdb
#   PROGRAM   the program's Windows path, as a drop would deliver it
#   SEQUENCE  the store's record count before this entry
#   TOOLS     the folder of exeicon.exe and qdb.exe
set -euo pipefail
folder=$1 program=$2 sequence=$3 tools=$4

source "$(cd "$(dirname "$0")" && pwd)/../support/e2e_lib.sh"

name=${program##*\\}
base=${name%.*}
wine "$tools/exeicon.exe" extract "$program" "$(windows_path "$folder/tubiao/$base.ICO")" >/dev/null
cp "$folder/tubiao/$base.ICO" "$folder/tubiao/$base.jpg"
wine "$tools/qdb.exe" append "$(windows_path "$folder/tubiao/wenjia.qdb")" "$sequence" "$program" \
  "$(windows_path "$folder/tubiao/$base.jpg")" >/dev/null
