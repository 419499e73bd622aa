# The POI line nearest to (lon, lat), given in millionths of a degree with -v, found as
# the program finds it: comments, lines without a comma and lines that begin with one are
# no POIs; the distance is the sum of the differences in millionths; the first line at
# the smallest distance wins.
BEGIN { FS = ","; found = 0 }
{
  line = $0
  sub(/^[ \t\r\v\f]+/, "", line)
  if (length(line) < 2 || substr(line, 1, 1) == ";" || index(line, ",") < 2) next
  x = int($1 * 1000000)
  y = int($2 * 1000000)
  d = (x > lon ? x - lon : lon - x) + (y > lat ? y - lat : lat - y)
  if (!found || d < best) { found = 1; best = d; where = FILENAME; poi = line }
}
END { if (found) print where ": " poi }
