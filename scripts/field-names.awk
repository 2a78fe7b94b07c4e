# Names every field of a struct in the given headers that is not PascalCase (see "Names" in
# docs/ARCHITECTURE.md); exits 1 when there is one. A field is a line one level inside the struct
# that ends with ";" and holds no "(" before its initializer. `kept` lists, space-separated, the
# structs that stand for a call's arguments, whose fields are named as parameters.
# awk -v kept=" A B " -f field-names.awk FILE.h...
FNR == 1 { depth = 0 }
/^ *struct [A-Za-z0-9_]+( final)?( *:[^{]*)? *\{ *$/ {
    indent[++depth] = match($0, /[^ ]/) - 1
    n = $0
    sub(/^ *struct /, "", n)
    sub(/[^A-Za-z0-9_].*/, "", n)
    name[depth] = n
    next
}
depth > 0 && /^ *\};/ && match($0, /[^ ]/) - 1 == indent[depth] { depth--; next }
depth > 0 && match($0, /[^ ]/) - 1 == indent[depth] + 4 && index(kept, " " name[depth] " ") == 0 {
    line = $0
    sub(/ *\/\/.*/, "", line)
    if (line !~ /;$/ || line ~ /operator|^ *(using|static|friend|enum|struct|class|template|public|private|return)[ :]/) next
    sub(/ *(=[^;]*|\{[^;]*\})?;$/, "", line)
    if (line ~ /\(/) next
    field = line
    sub(/.*[ *&]/, "", field)
    sub(/\[.*/, "", field)
    if (field ~ /^[a-z]/) {
        printf "%s:%d: field %s of %s is not PascalCase\n", FILENAME, FNR, field, name[depth]
        bad = 1
    }
}
END { exit bad }
