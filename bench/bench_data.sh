# Sourced by the benchmark scripts. bench_data PRESET FORM sets `data` to the folder of the
# generated repository of the preset in the form (folder, aef or mef): build/bench-data/<preset>,
# or <preset>-aef / <preset>-mef. It generates the repository when missing or when the
# generator changed since. Expects `root` to name the source tree.
bench_data() {
  data=$root/build/bench-data/$1
  [ "$2" = folder ] || data=$data-$2
  # The generator's sources (the export writer's included) and the preset decide every byte.
  wanted="$(cat "$root"/bench/generate_repository.py "$root"/bench/repogen_*.py \
    "$root"/tests/export_writer.py | sha256sum | cut -c1-16) $1 $2"
  if [ ! -f "$data/repository.ini" ] || [ "$(cat "$data.stamp" 2>/dev/null)" != "$wanted" ]; then
    rm -f "$data.stamp"
    python3 "$root/bench/generate_repository.py" --preset "$1" --form "$2" --force "$data"
    echo "$wanted" > "$data.stamp"
  fi
}
