# Sourced by the screenshot scripts (after set -eu), with BUILD_DIR and
# [OUTPUT_FOLDER] as $1 and $2. Sets build and out (absolute; the output folder
# made, "screenshots" by default) and scratch, a private folder removed at the
# end, and offers:
#   program_folder     Quillmere and its pictures in the scratch folder, with an
#                      empty data folder for the user; sets program, user, data.
#   under_xvfb CMD...  runs the command on a 1024x768 Xvfb screen with the
#                      scratch folder as the private runtime folder, then lists
#                      the pictures.
build=${1:?build directory}
out=${2:-screenshots}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
resources=$(cd "$(dirname "$0")/../../resources" && pwd)

program_folder() {
  program=$scratch
  user=$(id -un)
  data=$program/$user
  cp "$build/Quillmere" "$program/"
  cp -r "$resources/icons" "$program/"
  mkdir -p "$data"
}

under_xvfb() {
  XDG_RUNTIME_DIR=$scratch xvfb-run -a -s "-screen 0 1024x768x24" "$@"
  ls "$out"
}
