#!/usr/bin/env bash
# Sets everything up and starts the reader on the edition beside the program
# (a demo edition is generated when there is none yet).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

BIN=build/bin
if [ ! -f "$BIN/FARQDB.GDB" ]; then
  echo "Nenhuma edição encontrada: gerando a edição de demonstração $BIN/FARQDB.GDB"
  "$BIN/gerar-edicao" --edicao 812 --linhas 3000 "$BIN/FARQDB.GDB"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$BIN/farmaquion"
fi

echo
echo "Não há tela disponível (DISPLAY e WAYLAND_DISPLAY estão vazios): a janela não pode ser aberta."
echo "Mostrando o companheiro de linha de comando sobre a edição de demonstração:"
echo
echo "\$ $BIN/farmaquion-cli estado"
"$BIN/farmaquion-cli" estado
if "$BIN/farmaquion-cli" consulta --help >/dev/null 2>&1; then
  echo
  echo "\$ $BIN/farmaquion-cli consulta medicamentos-produto --produto 00001"
  "$BIN/farmaquion-cli" consulta medicamentos-produto --produto 00001
fi
echo
echo "\$ $BIN/farmaquion-cli --help"
"$BIN/farmaquion-cli" --help
