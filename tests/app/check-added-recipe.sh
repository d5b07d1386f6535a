#!/bin/sh
# The recipe that app_pantrel_test added through the add dialog, as the sqlite3 client sees
# it in the test's copy of the catalogue: quotes kept, tips "无", line breaks CR LF.
#   check-added-recipe.sh <Dorvanet.mdb>
db=$1
[ -f "$db" ] || { echo "no catalogue at $db"; exit 1; }
got=$(sqlite3 -batch "$db" "SELECT 类别 || '|' || 菜谱 || '|' || 提示 || '|' || (instr(配料, char(13, 10)) > 0) FROM 饮食 WHERE 菜谱 = '番茄\"炒\"蛋（测试）'")
expected='测试"引号"菜|番茄"炒"蛋（测试）|无|1'
if [ "$got" != "$expected" ]; then
  echo "sqlite3 shows:  $got"
  echo "expected:       $expected"
  exit 1
fi
echo "sqlite3 shows the added recipe: $got"
