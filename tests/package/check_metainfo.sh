#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Validates the AppStream metainfo strictly (any issue above a pedantic hint fails) and
# checks that it describes this release: its id, its launcher and a <release> entry for the
# project's version, the newest one listed.
# Usage: check_metainfo.sh FILE.metainfo.xml VERSION APP_ID
set -euo pipefail
metainfo=$1 version=$2 app_id=$3

appstreamcli validate --no-net --strict "$metainfo"

status=0
fail() { echo "FAIL: $*" >&2; status=1; }
grep -q "<id>$app_id</id>" "$metainfo" || fail "the id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the launchable is not $app_id.desktop"
newest=$(grep -o '<release [^>]*version="[^"]*"' "$metainfo" | head -n 1 |
         sed 's/.*version="\([^"]*\)"/\1/')
[[ "$newest" == "$version" ]] ||
    fail "the newest <release> is '$newest', the project's version is $version"
exit $status
