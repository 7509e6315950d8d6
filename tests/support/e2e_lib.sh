# Sourced by the end-to-end scripts that drive the Windows programs under Wine.

# The Windows form of a Linux path, through the drive that Wine maps to the Linux root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A failed check is counted and reported; the script goes on to the next check.
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
