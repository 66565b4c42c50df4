# Installs the Debian packages the project needs when any is missing. Sourced by run.sh and
# test.sh; quick when everything is already there.

KORVANE_PACKAGES=(
  cmake g++ make pkg-config clang-format
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-translations-l10n libgl1-mesa-dev
  libcurl4-openssl-dev libssl-dev zlib1g-dev libxlsxwriter-dev libarchive-dev
  libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3 xvfb xauth fonts-dejavu-core imagemagick openssl
)

korvane_missing_packages() {
  local p missing=()
  for p in "${KORVANE_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]}"
}

korvane_ensure_packages() {
  local missing
  missing=$(korvane_missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing missing packages: $missing"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $missing
}
