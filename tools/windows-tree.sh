# Sourced by the tools: picks the Windows trees whose Wine can run on
# this machine and says which, and why, in one line.
#   i686    the product, 32-bit: where this machine executes 32-bit x86 code
#   x86_64  the same clock for 64-bit Windows: where it does not (64-bit Wine
#           runs everywhere)
# TOCKMERE_ARCH=i686 or TOCKMERE_ARCH=x86_64 forces one.
# True where this machine executes 32-bit x86 programs (a kernel without
# 32-bit support refuses them with "Exec format error").
runs_32bit_programs() {
  local probe status=1
  probe=$(mktemp -d)
  printf 'int main(void) { return 7; }\n' >"$probe/probe.c"
  if gcc -m32 -static -o "$probe/probe" "$probe/probe.c" 2>/dev/null; then
    "$probe/probe" 2>/dev/null && status=1 || { [ $? = 7 ] && status=0; }
  fi
  rm -rf "$probe"
  return $status
}

# Sets tree to the one Windows tree to run the clock in, and says why.
pick_windows_tree() {
  case "${TOCKMERE_ARCH:-}" in
    i686 | x86_64)
      tree=$TOCKMERE_ARCH
      echo "Windows tree: $tree (forced by TOCKMERE_ARCH)"
      ;;
    "")
      if runs_32bit_programs; then
        tree=i686
        echo "Windows tree: i686 (this machine runs 32-bit x86 programs, so 32-bit Wine runs the 32-bit clock)"
      else
        tree=x86_64
        echo "Windows tree: x86_64 (this machine cannot run 32-bit x86 programs, so 32-bit Wine cannot start; 64-bit Wine runs the 64-bit clock)"
      fi
      ;;
    *)
      echo "TOCKMERE_ARCH must be i686 or x86_64, not '$TOCKMERE_ARCH'" >&2
      exit 2
      ;;
  esac
}

# Sets wine_trees to every Windows tree whose Wine tests run here, and says
# which and why in one line.
pick_wine_trees() {
  case "${TOCKMERE_ARCH:-}" in
    i686 | x86_64)
      wine_trees=("$TOCKMERE_ARCH")
      echo "Wine tests: $TOCKMERE_ARCH only (forced by TOCKMERE_ARCH)"
      ;;
    "")
      if runs_32bit_programs; then
        wine_trees=(i686 x86_64)
        echo "Wine tests: i686 and x86_64 (this machine runs 32-bit and 64-bit x86 programs, so both Wines start)"
      else
        wine_trees=(x86_64)
        echo "Wine tests: x86_64 only (this machine cannot run 32-bit x86 programs, so 32-bit Wine cannot start; i686 is built and checked without Wine)"
      fi
      ;;
    *)
      echo "TOCKMERE_ARCH must be i686 or x86_64, not '$TOCKMERE_ARCH'" >&2
      exit 2
      ;;
  esac
}

# Sets build to the Windows build tree given (a folder), or else to the one
# this machine runs; called from the top of the source.
pick_windows_build() {
  if [ -n "${1:-}" ]; then
    build=$(cd "$1" && pwd)
  else
    pick_windows_tree
    build=$(pwd)/build/$tree
  fi
}
