#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed vantor-cli on the installed
# example from an unrelated folder: the programs must find their libraries in the installed
# library folder, and a library missing there must be named together with the path looked at.
# install_test.sh BUILD_DIR [CMAKE]
set -euo pipefail
build=$1
cmake=${2:-cmake}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAIL: $*" >&2; [ -f "$tmp/out.txt" ] && cat "$tmp/out.txt" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" > "$tmp/install.log" || { cat "$tmp/install.log"; fail "install"; }
libs=$prefix/lib/vantor
for f in bin/vantor-cli share/man/man1/vantor-cli.1 share/doc/vantor/examples/gri30/gri30.PRJ \
         lib/vantor/libTolmar.so lib/vantor/libPellor.so lib/vantor/libSENKIN.so \
         lib/vantor/libKELDA.so lib/vantor/libMORVA.so; do
  [ -f "$prefix/$f" ] || fail "$f not installed"
done
grep -q '^\.SS run$' "$prefix/share/man/man1/vantor-cli.1" || fail "the man page lacks the run command"
if [ -f "$prefix/share/applications/vantor.desktop" ] && command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$prefix/share/applications/vantor.desktop" || fail "desktop entry"
fi

# The example is copied out first, as from a read-only /usr/share.
mkdir -p "$tmp/projects" "$tmp/elsewhere"
cp -r "$prefix/share/doc/vantor/examples/gri30" "$tmp/projects/"
cd "$tmp/elsewhere"
plots=()
[ -f "$libs/libVantorPlots.so" ] && plots=(--plot plots)
"$prefix/bin/vantor-cli" run ../projects/gri30/gri30.PRJ --jobs 2 "${plots[@]}" > "$tmp/out.txt" 2>&1 \
  || fail "installed vantor-cli run"
grep -q '^> Locate procedure in libMORVA.so OK!$' "$tmp/out.txt" || fail "libraries not bound"
[ -f ../projects/gri30/CMP.dat ] || fail "no comparison report"
if [ ${#plots[@]} -gt 0 ]; then
  grep -q '^> 52 plot files (PNG and SVG) written to' "$tmp/out.txt" || fail "plots"
fi

# A copy of the library in the current folder must not stand in for the missing one.
mv "$libs/libKELDA.so" "$tmp/projects/"
cp "$tmp/projects/libKELDA.so" .
if "$prefix/bin/vantor-cli" run ../projects/gri30/gri30.PRJ > "$tmp/out.txt" 2>&1; then
  fail "a run without libKELDA.so succeeded"
fi
grep -qF '> Load libKELDA.so failed error #=2 !' "$tmp/out.txt" || fail "missing library not named"
grep -qF "> $libs/libKELDA.so: No such file or directory" "$tmp/out.txt" || fail "path looked at not named"
echo "installed program OK"
